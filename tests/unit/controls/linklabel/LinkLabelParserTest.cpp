#include <gtest/gtest.h>

#include "LinkLabelTestSupport.h"
#include "controls/linklabel/LinkLabelParser.h"

namespace velora::controls {
namespace {

using testing::FixedWidthMeasurer;
using testing::Placed;

TLinkLabelLayout LayOut(const std::string& caption, int width = 1000) {
    FixedWidthMeasurer measurer;
    return TTextHandler(measurer, width, {fsUnderline}).LayOut(*TDefaultParser().Parse(caption));
}

TEST(LinkLabelParser, LinksAreNumberedFromZeroWithTextAndParameterInAnyLetterCase) {
    auto tree = TDefaultParser().Parse("Jetzt bei VELORA <link>registrieren</link>");
    ASSERT_EQ(tree->LinkCount(), 1);
    EXPECT_EQ(tree->Link(0)->Number(), 0);
    EXPECT_EQ(tree->Link(0)->Text(), "registrieren");
    EXPECT_EQ(tree->Link(0)->Param(), "");

    tree = TDefaultParser().Parse("<LiNk=Seite=2>eins</LINK> <b>und</B> <Link><i>zw</i>ei</lInK>");
    ASSERT_EQ(tree->LinkCount(), 2);
    EXPECT_EQ(tree->Link(0)->Param(), "Seite=2") << "the text after the first =, as written";
    EXPECT_EQ(tree->Link(1)->Number(), 1);
    EXPECT_EQ(tree->Link(1)->Text(), "zwei") << "plain text without the tags inside";
    EXPECT_EQ(LayOut("<B>fett</b><b>auch</B>").Words.back().Style, TFontStyles{fsBold});
}

TEST(LinkLabelParser, AnEndTagClosesTheInnermostGroupWhateverItsName) {
    const TLinkLabelLayout layout = LayOut("<b>fett </i>normal <u><i>beides</b>unterstrichen</x></y>weg");
    ASSERT_EQ(Placed(layout), (std::vector<std::string>{"fett @0,0", "normal @35,0", "beides@77,0",
                                                        "unterstrichen@113,0"}));
    EXPECT_EQ(layout.Words[0].Style, TFontStyles{fsBold});
    EXPECT_TRUE(layout.Words[1].Style.Empty());
    EXPECT_EQ(layout.Words[2].Style, (TFontStyles{fsUnderline, fsItalic}));
    EXPECT_EQ(layout.Words[3].Style, TFontStyles{fsUnderline});
    // The end tag outside every group ended the caption: "weg" is not shown.
}

TEST(LinkLabelParser, LineBreakPairsJoinWordsAndUnknownTagsDrawNothing) {
    EXPECT_EQ(Placed(LayOut("Jetzt\r\nbei\rVELORA")), std::vector<std::string>{"Jetztbei\rVELORA@0,0"});
    EXPECT_EQ(Placed(LayOut("a<foo>b<b >c<BRx>d")), (std::vector<std::string>{"a@0,0", "b@6,0", "c@12,0", "d@18,0"}));
    EXPECT_EQ(Placed(LayOut("ohne <Ende")), std::vector<std::string>{"ohne@0,0"}) << "an open tag runs to the end";
}

TEST(LinkLabelParser, ColoursAreNamesOrNumbers) {
    EXPECT_EQ(ColorFromText("clRed"), clRed);
    EXPECT_EQ(ColorFromText("CLBTNFACE"), clBtnFace);
    EXPECT_EQ(ColorFromText("$00FF00"), 0x00FF00);
    EXPECT_EQ(ColorFromText("0x800000"), 0x800000);
    EXPECT_EQ(ColorFromText("255"), clRed);
    EXPECT_EQ(ColorFromText("rot"), clNone);
    EXPECT_EQ(ColorFromText(""), clNone);
    EXPECT_EQ(ColorFromText("99999999999"), clNone);

    const TLinkLabelLayout layout = LayOut("<color=clRed>r <link>l <Colorful=$00FF00>g</color></link></color>");
    ASSERT_EQ(layout.Words.size(), 3u);
    EXPECT_EQ(layout.Words[0].Color, clRed);
    EXPECT_TRUE(layout.Words[1].LinkColored) << "a link sets its own colour";
    EXPECT_EQ(layout.Words[2].Color, 0x00FF00) << "only the first five letters count";
    EXPECT_FALSE(layout.Words[2].LinkColored);
    EXPECT_EQ(layout.Words[2].LinkNumber, 0);
}

}  // namespace
}  // namespace velora::controls
