#include <gtest/gtest.h>

#include "controls/BrowserKeys.h"

using velora::controls::PassesToBrowserAccelerator;

namespace {
constexpr unsigned kKeyDown = 0x0100, kKeyUp = 0x0101, kChar = 0x0102, kSysKeyDown = 0x0104, kLeftButtonDown = 0x0201;
}

TEST(BrowserKeys, BackspaceAndArrowsStayWithThePageOnKeyDownAndUp) {
    for (unsigned message : {kKeyDown, kKeyUp}) {
        for (unsigned key : {8u, 37u, 38u, 39u, 40u}) {
            EXPECT_FALSE(PassesToBrowserAccelerator(message, key)) << message << " " << key;
        }
    }
}

TEST(BrowserKeys, EveryOtherKeyAndMessagePasses) {
    // The neighbours of the excluded keys: Tab, Home (36), Select (41), and
    // the keys that matter for the page's own accelerators.
    for (unsigned key : {7u, 9u, 13u, 27u, 36u, 41u, 46u, 'A' + 0u, 0x74u}) {
        EXPECT_TRUE(PassesToBrowserAccelerator(kKeyDown, key)) << key;
        EXPECT_TRUE(PassesToBrowserAccelerator(kKeyUp, key)) << key;
    }
    // Only key-down and key-up are filtered: the typed Backspace character,
    // Alt with an arrow and a mouse click whose parameter happens to be 8
    // all pass.
    EXPECT_TRUE(PassesToBrowserAccelerator(kChar, 8));
    EXPECT_TRUE(PassesToBrowserAccelerator(kSysKeyDown, 37));
    EXPECT_TRUE(PassesToBrowserAccelerator(kLeftButtonDown, 8));
}
