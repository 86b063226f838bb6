// What the shell's version says about its tips.
#ifdef _WIN32

#include "win32/tray/ShellVersion.h"

#include <gtest/gtest.h>

using namespace velora;
using namespace velora::win32;

TEST(ShellVersion, TipsAreLongAndOnSeveralLinesFromFivePointZeroOn) {
    EXPECT_EQ(TipRulesFor({4, 71}), (controls::TrayTipRules{63, true}));
    EXPECT_EQ(TipRulesFor({5, 0}), (controls::TrayTipRules{127, false}));
    EXPECT_EQ(TipRulesFor({6, 1}), (controls::TrayTipRules{127, false}));
    // The system's own shell is read and is one of those.
    EXPECT_TRUE(CurrentShellVersion().IsAtLeast5());
}

#endif  // _WIN32
