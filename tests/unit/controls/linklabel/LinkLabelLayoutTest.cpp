#include <gtest/gtest.h>

#include "LinkLabelTestSupport.h"
#include "controls/linklabel/LinkLabel.h"

namespace velora::controls {
namespace {

using testing::FixedWidthMeasurer;
using testing::Placed;

std::vector<std::string> Rects(const std::vector<TRect>& rects) {
    std::vector<std::string> texts;
    for (const TRect& r : rects)
        texts.push_back(std::to_string(r.Left) + "," + std::to_string(r.Top) + "-" + std::to_string(r.Right) + "," +
                        std::to_string(r.Bottom));
    return texts;
}

class LinkLabelLayoutTest : public ::testing::Test {
protected:
    LinkLabelLayoutTest() { label.SetAutoHeight(false); }

    FixedWidthMeasurer measurer;
    TLinkLabel label{nullptr};
};

TEST_F(LinkLabelLayoutTest, WrappedLinkIsHitOnBothLinesButNotOnDroppedSpaces) {
    label.SetCaption("Jetzt bei <link>VELORA registrieren</link> heute");
    label.SetBounds(0, 0, 110, 40);  // lines 111 pixels wide
    ASSERT_TRUE(label.Arrange(measurer));
    const TLinkLabelLayout& layout = label.CurrentLayout();
    EXPECT_EQ(Placed(layout), (std::vector<std::string>{"Jetzt @0,0", "bei @36,0", "VELORA@60,0",
                                                        "registrieren@0,13", " @72,13", "heute@78,13"}));
    ASSERT_EQ(layout.LinkAreas.size(), 1u);
    EXPECT_EQ(Rects(layout.LinkAreas[0]), (std::vector<std::string>{"60,0-96,13", "0,13-72,26"}));
    EXPECT_EQ(layout.TextHeight, 26);
    EXPECT_EQ(label.LinkAt(95, 12), 0);
    EXPECT_EQ(label.LinkAt(97, 5), -1) << "the space that ended the line is gone";
    EXPECT_EQ(label.LinkAt(1, 14), 0);
    EXPECT_EQ(label.LinkAt(73, 14), -1);

    label.SetWidth(101);  // "VELORA " would reach the edge exactly
    ASSERT_TRUE(label.Arrange(measurer));
    EXPECT_EQ(Placed(label.CurrentLayout())[2], "VELORA@0,13");
}

TEST_F(LinkLabelLayoutTest, LongWordsStayAloneAndSpacesNeverStartALine) {
    label.SetCaption("a <b>superlanges</b> b <br>c<P>d");
    label.SetWidth(49);
    ASSERT_TRUE(label.Arrange(measurer));
    EXPECT_EQ(Placed(label.CurrentLayout()),
              (std::vector<std::string>{"a@0,0", "superlanges@0,13", "b@0,26", "c@0,39", "d@0,65"}));
    EXPECT_EQ(label.CurrentLayout().TextHeight, 78);
}

TEST_F(LinkLabelLayoutTest, TextBlockIsPlacedVerticallyInsideTheMargins) {
    label.SetCaption("Jetzt bei VELORA <link>registrieren</link>");
    label.SetBounds(16, 172, 297, 13);  // as in the options dialog
    label.SetLayout(tlCenter);
    ASSERT_TRUE(label.Arrange(measurer));
    EXPECT_EQ(label.OriginY(), 0);

    label.SetHeight(40);
    ASSERT_TRUE(label.Arrange(measurer));
    EXPECT_EQ(label.OriginY(), 13);  // (40 - 13) / 2 rounded toward zero
    EXPECT_EQ(label.LinkAt(17 * 6 + 1, 12), -1);
    EXPECT_EQ(label.LinkAt(17 * 6 + 1, 20), 0);

    label.SetMarginWidth(3);
    label.SetMarginHeight(2);
    ASSERT_TRUE(label.Arrange(measurer));
    EXPECT_EQ(label.OriginX(), 3);
    EXPECT_EQ(label.OriginY(), 13);  // 2 + (36 - 13) / 2
    label.SetLayout(tlBottom);
    ASSERT_TRUE(label.Arrange(measurer));
    EXPECT_EQ(label.OriginY(), 25);

    label.SetHeight(10);  // taller text never starts above the margin
    for (TTextLayout layout : {tlCenter, tlBottom}) {
        label.SetLayout(layout);
        ASSERT_TRUE(label.Arrange(measurer));
        EXPECT_EQ(label.OriginY(), 2);
    }
}

TEST_F(LinkLabelLayoutTest, AtAnotherDensityTheLayoutAndTheMouseUseItsPixels) {
    // Twice the design's density: the measurer's text is twice as large.
    class DoubleMeasurer : public TTextMeasurer {
    public:
        TTextSize MeasureText(const std::string& text, TFontStyles) override {
            return {static_cast<int>(text.size()) * 12, 26};
        }
    } doubled;
    const DpiScale scale(192);
    label.SetCaption("Jetzt bei <link>VELORA registrieren</link> heute");
    label.SetBounds(0, 0, 110, 40);  // 220 pixels: lines 221 pixels wide, as 111 at 96 DPI
    label.SetMarginWidth(1);         // 2 pixels each side: lines 217 pixels wide
    label.SetLayout(tlCenter);
    ASSERT_TRUE(label.Arrange(doubled, scale));
    EXPECT_EQ(Placed(label.CurrentLayout()),
              (std::vector<std::string>{"Jetzt @0,0", "bei @72,0", "VELORA@120,0", "registrieren@0,26", " @144,26",
                                        "heute@156,26"}));
    EXPECT_EQ(label.OriginX(), 2);
    EXPECT_EQ(label.OriginY(), 14);  // (80 - 52) / 2
    EXPECT_EQ(label.LinkAt(2 + 120 + 1, 14 + 1), 0);
    EXPECT_EQ(label.LinkAt(2 + 156 + 1, 14 + 27), -1);

    // The height that follows the text is stored as designed pixels.
    label.SetAutoHeight(true);
    EXPECT_FALSE(label.Arrange(doubled, scale));
    EXPECT_EQ(label.Height(), 26);
    EXPECT_TRUE(label.Arrange(doubled, scale));
    EXPECT_EQ(label.OriginY(), 0);
}

TEST_F(LinkLabelLayoutTest, AutoHeightResizesInsteadOfDrawing) {
    label.SetCaption("eins<br>zwei");
    label.SetAutoHeight(true);
    label.SetMarginHeight(1);
    EXPECT_FALSE(label.Arrange(measurer));
    EXPECT_EQ(label.Height(), 28);
    EXPECT_TRUE(label.Arrange(measurer));
}

}  // namespace
}  // namespace velora::controls
