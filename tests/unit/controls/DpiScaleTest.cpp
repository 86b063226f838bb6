// The forms at another screen density: the arithmetic that scales their
// design, and a whole form laid out at 144 DPI and back at 96 (and the other
// way round), the link label's height that follows its text included.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "controls/Button.h"
#include "controls/DpiScale.h"
#include "controls/Edit.h"
#include "controls/Form.h"
#include "controls/FormDesign.h"
#include "controls/FormLayout.h"
#include "controls/GroupBox.h"
#include "controls/linklabel/LinkLabel.h"

using namespace velora::controls;

namespace {

// Text as a real font measures it at each density: a 9-pixel character and
// a 19-pixel line at 144 DPI is Tahoma 8 there, not 1.5 times its 96-DPI
// size (6 and 13).
class DensityMeasurer : public TTextMeasurer {
public:
    explicit DensityMeasurer(int dpi) : dpi_(dpi) {}
    TTextSize MeasureText(const std::string& text, TFontStyles) override {
        const bool large = dpi_ > DpiScale::kDesignDpi;
        return {static_cast<int>(text.size()) * (large ? 9 : 6), large ? 19 : 13};
    }

private:
    int dpi_;
};

// Part of the options dialog: a group box with an edit, the registration
// link below it, and the OK button.
struct Dialog {
    TForm form{nullptr};
    TGroupBox* login = Place<TGroupBox>(form, &form, "groupboxLogin", 8, 8, 401, 201);
    TEdit* password = Place<TEdit>(form, login, "editPassword", 16, 145, 367, 21);
    TLinkLabel* link = Place<TLinkLabel>(form, login, "linkRegister", 16, 172, 297, 13);
    TButton* ok = Place<TButton>(form, &form, "buttonOk", 334, 390, 75, 25);

    Dialog() {
        link->SetCaption("Jetzt bei VELORA <link>registrieren</link>");
        link->SetLayout(tlCenter);
    }

    // Every control's rectangle at `dpi`, after the link label was laid out
    // there as its window does before it paints.
    std::vector<std::string> LayOutAt(int dpi) {
        const DpiScale scale(dpi);
        DensityMeasurer measurer(dpi);
        if (!link->Arrange(measurer, scale)) EXPECT_TRUE(link->Arrange(measurer, scale)) << "a second pass settles";
        std::vector<std::string> places;
        for (TControl* control : TabSequence(form)) {
            const TRect r = BoundsOnForm(*control, scale);
            places.push_back(control->Name() + " " + std::to_string(r.Left) + "," + std::to_string(r.Top) + "-" +
                             std::to_string(r.Right) + "," + std::to_string(r.Bottom));
        }
        places.push_back("origin " + std::to_string(link->OriginX()) + "," + std::to_string(link->OriginY()));
        return places;
    }
};

bool Contains(const std::vector<std::string>& places, const std::string& place) {
    return std::find(places.begin(), places.end(), place) != places.end();
}

}  // namespace

TEST(DpiScale, RoundsHalvesAwayFromZeroAsTheSystemDoes) {
    EXPECT_EQ(MulDivRounded(13, 144, 96), 20);   // 19.5
    EXPECT_EQ(MulDivRounded(-13, 144, 96), -20);
    EXPECT_EQ(MulDivRounded(13, -144, 96), -20);
    EXPECT_EQ(MulDivRounded(-13, -144, -96), -20);
    EXPECT_EQ(MulDivRounded(7, 120, 96), 9);     // 8.75
    EXPECT_EQ(MulDivRounded(5, 120, 96), 6);     // 6.25
    EXPECT_EQ(MulDivRounded(1, 1, 0), 0);
    EXPECT_EQ(MulDivRounded(INT_MAX, 192, 96), INT_MAX);
    EXPECT_EQ(MulDivRounded(INT_MIN, 192, 96), INT_MIN);

    const DpiScale large(144);
    EXPECT_EQ(large.ToDevice(421), 632);
    EXPECT_EQ(large.ToDevice(424), 636);
    EXPECT_EQ(large.ToDevice(0), 0);
    EXPECT_EQ(large.FontHeight(8), 16);
    EXPECT_EQ(DpiScale().FontHeight(8), 11);     // 10.67, as the system sizes an 8-point font
    EXPECT_EQ(DpiScale(120).ToDevice(13), 16);   // 16.25
    for (int length : {-7, 0, 1, 13, 421}) EXPECT_EQ(DpiScale().ToDevice(length), length);
    // No screen has no density: the design's then.
    EXPECT_EQ(DpiScale(0).Dpi(), 96);
    EXPECT_EQ(DpiScale(-144).ToDevice(13), 13);
}

TEST(DpiScale, CoveringDesignLengthIsTheSmallestThatHoldsThePixels) {
    const DpiScale large(144);
    EXPECT_EQ(large.ToDesignCovering(19), 13);  // 13 becomes 20 pixels, 12 only 18
    EXPECT_EQ(large.ToDesignCovering(20), 13);
    EXPECT_EQ(large.ToDesignCovering(21), 14);
    EXPECT_EQ(DpiScale(72).ToDesignCovering(10), 13);  // 13 becomes 9.75, rounded 10; 12 only 9
    EXPECT_EQ(large.ToDesignCovering(INT_MAX), 1431655765);  // whose pixels are clamped to INT_MAX
    for (int dpi : {96, 120, 144, 168, 192, 288}) {
        const DpiScale scale(dpi);
        for (int length = 0; length <= 600; ++length) {
            ASSERT_EQ(scale.ToDesignCovering(scale.ToDevice(length)), length) << dpi << " dpi, " << length;
            const int covering = scale.ToDesignCovering(length);
            ASSERT_GE(scale.ToDevice(covering), length) << dpi << " dpi, " << length;
            ASSERT_LT(scale.ToDevice(covering - 1), length) << dpi << " dpi, " << length;
        }
    }
}

TEST(DpiScale, EdgesScaleOnTheirOwnSoThatTouchingControlsStillTouch) {
    TForm form(nullptr);
    auto* box = Place<TGroupBox>(form, &form, "groupboxOuter", 1, 1, 1, 1);
    auto* next = Place<TButton>(form, &form, "buttonNext", 2, 1, 1, 1);
    auto* inside = Place<TButton>(form, box, "buttonInside", 0, 0, 1, 1);
    const DpiScale large(144);
    // Scaled one by one, 1 + 1 would give 2 + 2 pixels and overlap the next.
    EXPECT_EQ(BoundsOnForm(*box, large).Right, BoundsOnForm(*next, large).Left);
    EXPECT_EQ(BoundsOnForm(*box, large).Right, 3);
    const TRect in = BoundsOnForm(*inside, large);
    EXPECT_EQ(in.Left, 2);
    EXPECT_EQ(in.Right, 3);
    // At the design's density the design itself.
    const TRect plain = BoundsOnForm(*inside, DpiScale());
    EXPECT_EQ(plain.Left, 1);
    EXPECT_EQ(plain.Bottom, 2);
}

TEST(DpiScale, AFormMovedToAnotherDensityAndBackHasItsLayoutAgain) {
    Dialog dialog;
    const std::vector<std::string> design = dialog.LayOutAt(96);
    EXPECT_TRUE(Contains(design, "buttonOk 334,390-409,415"));
    EXPECT_TRUE(Contains(design, "linkRegister 24,180-321,193"));
    EXPECT_EQ(design.back(), "origin 0,0");

    const std::vector<std::string> large = dialog.LayOutAt(144);
    EXPECT_TRUE(Contains(large, "buttonOk 501,585-614,623"));
    EXPECT_TRUE(Contains(large, "linkRegister 36,270-482,290"));
    // The link's text is 19 pixels high there: its window becomes the 20
    // pixels of 13 designed ones, and the text stands centred in them.
    EXPECT_EQ(dialog.link->Height(), 13);
    EXPECT_EQ(large.back(), "origin 0,0");

    EXPECT_EQ(dialog.LayOutAt(96), design);
    EXPECT_EQ(dialog.LayOutAt(144), large);

    // A link two lines high: the height it stores is the smallest designed
    // one that holds them at the density it was last laid out at, and each
    // density gives its own layout back.
    dialog.link->SetCaption("Jetzt bei VELORA<br><link>registrieren</link>");
    const std::vector<std::string> twoLines = dialog.LayOutAt(144);
    EXPECT_EQ(dialog.link->Height(), 25);  // 37.5, rounded 38: the two 19-pixel lines
    EXPECT_TRUE(Contains(twoLines, "linkRegister 36,270-482,308"));
    const std::vector<std::string> twoLinesDesign = dialog.LayOutAt(96);
    EXPECT_EQ(dialog.link->Height(), 26);
    EXPECT_TRUE(Contains(twoLinesDesign, "linkRegister 24,180-321,206"));
    EXPECT_EQ(dialog.LayOutAt(144), twoLines);
    EXPECT_EQ(dialog.LayOutAt(96), twoLinesDesign);
}
