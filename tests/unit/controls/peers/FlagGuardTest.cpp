#include <gtest/gtest.h>

#include "controls/peers/FlagGuard.h"

using velora::controls::FlagGuard;

// Set for the guard's lifetime; nested guards give back what they found.
TEST(FlagGuard, SetsTheFlagWhileItLivesAndGivesBackTheOldValue) {
    bool writing = false;
    {
        FlagGuard outer(writing);
        EXPECT_TRUE(writing);
        {
            FlagGuard inner(writing);
            EXPECT_TRUE(writing);
        }
        EXPECT_TRUE(writing);
    }
    EXPECT_FALSE(writing);
}
