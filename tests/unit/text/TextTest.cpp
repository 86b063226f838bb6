#include <gtest/gtest.h>

#include <cstdint>

#include "text/Numbers.h"
#include "text/Text.h"

using namespace velora::text;

TEST(AnsiText, CaseFoldingFollowsWindows1252) {
    EXPECT_EQ(AnsiUpperCase("abc\xFC\xE4\xF6\xFF\x9A"), "ABC\xDC\xC4\xD6\x9F\x8A");
    EXPECT_EQ(AnsiLowerCase("ABC\xDC\xC4\xD6\x9F\x8A"), "abc\xFC\xE4\xF6\xFF\x9A");
    // Division and multiplication signs and sharp s have no other case.
    EXPECT_EQ(AnsiUpperCase("\xF7\xDF"), "\xF7\xDF");
    EXPECT_EQ(AnsiLowerCase("\xD7"), "\xD7");
    EXPECT_TRUE(SameText("menuItemSEND", "MENUITEMsend"));
    EXPECT_TRUE(SameText("Gr\xFC\xDF", "GR\xDC\xDF"));
    EXPECT_FALSE(SameText("account", "accounts"));
}

TEST(AnsiText, TrimAndReplace) {
    EXPECT_EQ(Trim(" \t\r\n value \x01"), "value");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(ReplaceAll("%sBREAK a %sBREAK", "%sBREAK", "\r\n"), "\r\n a \r\n");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("x", "", "y"), "x");
}

TEST(Numbers, OneParserForEveryNumberWithItsLimits) {
    EXPECT_EQ(ParseInt32("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseInt32("+2147483647"), INT32_MAX);
    EXPECT_EQ(ParseInt32("2147483648"), std::nullopt);
    EXPECT_EQ(ParseInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(ParseInt64("9223372036854775808"), std::nullopt);
    EXPECT_EQ(ParseInt64("99999999999999999999999"), std::nullopt);
    for (const char* bad : {"", "+", "-", " 1", "1 ", "1e3", "0x10", "+-1", "١"}) EXPECT_EQ(ParseInt64(bad), std::nullopt) << bad;
    EXPECT_EQ(ParseDigits("fFfF", 16), 0xFFFFu);
    EXPECT_EQ(ParseDigits("FFFFFFFF", 16, 0xFFFFFFFF), 0xFFFFFFFFu);
    EXPECT_EQ(ParseDigits("100000000", 16, 0xFFFFFFFF), std::nullopt);
    EXPECT_EQ(ParseDigits("12a", 10), std::nullopt);
    EXPECT_EQ(ParseDigits("-1", 10), std::nullopt);
}
