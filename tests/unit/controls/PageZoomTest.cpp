#include <gtest/gtest.h>

#include <vector>

#include "controls/PageZoom.h"

using namespace velora::controls;

namespace {
constexpr unsigned kPlus = 0xBB, kMinus = 0xBD, kAdd = 0x6B, kSubtract = 0x6D, kZero = '0', kPadZero = 0x60;
}

TEST(PageZoom, TheKeysStepThroughTheBrowsersStepsAndStopAtTheEnds) {
    const std::vector<int> steps{30, 50, 67, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};
    std::vector<int> up{30};
    while (up.back() != ZoomStepIn(up.back())) up.push_back(ZoomStepIn(up.back()));
    EXPECT_EQ(steps, up);
    std::vector<int> down{300};
    while (down.back() != ZoomStepOut(down.back())) down.push_back(ZoomStepOut(down.back()));
    EXPECT_EQ(std::vector<int>(steps.rbegin(), steps.rend()), down);

    // Between two steps (a value edited by hand) the next one is the
    // neighbour, not a step further.
    EXPECT_EQ(125, ZoomStepIn(111));
    EXPECT_EQ(110, ZoomStepOut(111));
    EXPECT_EQ(67, ZoomStepIn(51));
    EXPECT_EQ(50, ZoomStepOut(51));
    // Out of bounds it starts from the bound.
    EXPECT_EQ(300, ZoomStepIn(1000));
    EXPECT_EQ(250, ZoomStepOut(1000));
    EXPECT_EQ(50, ZoomStepIn(-1000));
    EXPECT_EQ(30, ZoomStepOut(-1000));

    EXPECT_EQ(110, ChangedZoom(100, ZoomChange::In));
    EXPECT_EQ(90, ChangedZoom(100, ZoomChange::Out));
    EXPECT_EQ(100, ChangedZoom(250, ZoomChange::Reset));
    EXPECT_EQ(250, ChangedZoom(250, ZoomChange::None));
    EXPECT_EQ(300, ChangedZoom(301, ZoomChange::None));
    EXPECT_EQ(30, ClampZoom(29));
    EXPECT_EQ(105, ClampZoom(105));
}

TEST(PageZoom, AStoredValueIsAWholePercentWithinTheBoundsOrElseTheDefault) {
    EXPECT_EQ(150, StoredZoom("150"));
    EXPECT_EQ(105, StoredZoom("105"));
    EXPECT_EQ(125, StoredZoom("+125"));
    EXPECT_EQ(300, StoredZoom("301"));
    EXPECT_EQ(300, StoredZoom("2147483647"));
    EXPECT_EQ(300, StoredZoom("9223372036854775807"));
    EXPECT_EQ(30, StoredZoom("0"));
    EXPECT_EQ(30, StoredZoom("-2147483648"));
    EXPECT_EQ(30, StoredZoom("-9223372036854775808"));
    for (const char* hostile : {"", " ", "abc", "1.5", "150%", " 150", "150 ", "0x96", "--5", "+", "-",
                                "99999999999999999999999999", "1e3", "\xFF\xFE"}) {
        EXPECT_EQ(100, StoredZoom(hostile)) << hostile;
    }
    EXPECT_EQ(100, StoredZoom(std::string_view("15\0" "0", 4)));
}

TEST(PageZoom, CtrlWithPlusMinusOrZeroAndCtrlWithTheWheel) {
    for (unsigned key : {kPlus, kAdd}) EXPECT_EQ(ZoomChange::In, ZoomKey(key, true, false)) << key;
    for (unsigned key : {kMinus, kSubtract}) EXPECT_EQ(ZoomChange::Out, ZoomKey(key, true, false)) << key;
    for (unsigned key : {kZero, kPadZero}) EXPECT_EQ(ZoomChange::Reset, ZoomKey(key, true, false)) << key;
    for (unsigned key : {kPlus, kAdd, kMinus, kSubtract, kZero, kPadZero}) {
        // Without Ctrl the page types them; with Alt too they are another key.
        EXPECT_EQ(ZoomChange::None, ZoomKey(key, false, false)) << key;
        EXPECT_EQ(ZoomChange::None, ZoomKey(key, true, true)) << key;
    }
    // The neighbours: "1", "9", the number pad's 1 and '*', comma, period, 'P'.
    for (unsigned key : {0x31u, 0x39u, 0x61u, 0x6Au, 0xBCu, 0xBEu, 0x50u, 0u})
        EXPECT_EQ(ZoomChange::None, ZoomKey(key, true, false)) << key;

    EXPECT_EQ(ZoomChange::In, ZoomWheel(120, true));
    EXPECT_EQ(ZoomChange::In, ZoomWheel(1, true));
    EXPECT_EQ(ZoomChange::Out, ZoomWheel(-120, true));
    EXPECT_EQ(ZoomChange::None, ZoomWheel(0, true));
    EXPECT_EQ(ZoomChange::None, ZoomWheel(120, false));
    EXPECT_EQ(ZoomChange::None, ZoomWheel(-120, false));
}
