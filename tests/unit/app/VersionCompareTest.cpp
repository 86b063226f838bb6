#include <gtest/gtest.h>

#include "app/VersionCompare.h"

using velora::app::CompareVersions;
using velora::app::NextVersionComponent;

TEST(VersionCompare, ComponentsFromTheLeftAsFarAsBothTextsReach) {
    EXPECT_EQ(CompareVersions("1.2.3.9", "1.2.3.10"), 1);
    EXPECT_EQ(CompareVersions("1.2.3.10", "1.2.3.9"), -1);
    EXPECT_EQ(CompareVersions("1.2.3", "1.2.3.4"), 0);
    EXPECT_EQ(CompareVersions("1.2", "1.2.0.5"), 0);
    EXPECT_EQ(CompareVersions("2", "1.9.9.9"), -1);
    EXPECT_EQ(CompareVersions("1.10", "1.9"), -1);
    // An empty or broken published version never counts as newer.
    EXPECT_EQ(CompareVersions("", "0.1"), 1);
    EXPECT_EQ(CompareVersions("1.x", "1.0"), 1);
    EXPECT_EQ(CompareVersions("1", "0.1"), -1);

    std::string text = "12.abc.";
    EXPECT_EQ(NextVersionComponent(text), 12);
    EXPECT_EQ(text, "abc.");
    EXPECT_EQ(NextVersionComponent(text), -1);
    EXPECT_EQ(text, "");
    EXPECT_EQ(NextVersionComponent(text), -1);
    text = "99999999999";
    EXPECT_EQ(NextVersionComponent(text), -1);
}
