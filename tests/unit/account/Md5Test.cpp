#include <gtest/gtest.h>

#include <string>

#include "account/uMd5.h"

using namespace velora::account;

namespace {
std::string HexOf(const std::string& text) { return Md5ToHex(Md5OfText(text)); }
}  // namespace

TEST(Md5, Rfc1321TestSuite) {
    EXPECT_EQ(HexOf(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(HexOf("a"), "0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(HexOf("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(HexOf("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(HexOf("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
    EXPECT_EQ(HexOf("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "d174ab98d277d9f5a5611c2c9f419d9f");
    EXPECT_EQ(HexOf("1234567890123456789012345678901234567890"
                    "1234567890123456789012345678901234567890"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

// 55 bytes still fit the padding into one block, 56 do not; 64 fill a block
// exactly and 65 start a second one.
TEST(Md5, BlockBoundaries) {
    EXPECT_EQ(HexOf(std::string(55, 'a')), "ef1772b6dff9a122358552954ad0df65");
    EXPECT_EQ(HexOf(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");
    EXPECT_EQ(HexOf(std::string(63, 'a')), "b06521f39153d618550606be297466d5");
    EXPECT_EQ(HexOf(std::string(64, 'a')), "014842d480b571495a4a0363793f7367");
    EXPECT_EQ(HexOf(std::string(65, 'a')), "c743a45e0d2e6a95cb859adae0248435");
    EXPECT_EQ(HexOf(std::string(130, 'a')), "e016e4ccc7fdaea56fc377600b58c4cb");
}

TEST(Md5, PiecewiseUpdateEqualsOneShot) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += char(i * 37 + 11);

    Md5Context context;
    Md5Init(context);
    const std::size_t pieces[] = {1, 3, 0, 7, 13, 61, 5, 64, 29, 117};
    std::size_t offset = 0;
    for (std::size_t piece : pieces) {
        Md5Update(context, text.data() + offset, piece);
        offset += piece;
    }
    ASSERT_EQ(offset, text.size());
    EXPECT_EQ(Md5Final(context), Md5OfText(text));
}

TEST(Md5, FinalWipesTheWholeContext) {
    Md5Context context;
    Md5Init(context);
    const std::string secret = "4917212345678secret";
    Md5Update(context, secret.data(), secret.size());
    Md5Final(context);
    for (auto word : context.state) EXPECT_EQ(word, 0u);
    for (auto word : context.count) EXPECT_EQ(word, 0u);
    for (auto byte : context.buffer) EXPECT_EQ(byte, 0u);
}

TEST(Md5, HexIsLowerCaseAndAlways32Digits) {
    Md5Digest digest{};
    EXPECT_EQ(Md5ToHex(digest), std::string(32, '0'));
    digest.fill(0xAB);
    digest[0] = 0x0F;
    digest[15] = 0xF0;
    const std::string hex = Md5ToHex(digest);
    EXPECT_EQ(hex.size(), 32u);
    EXPECT_EQ(hex.substr(0, 4), "0fab");
    EXPECT_EQ(hex.substr(28), "abf0");
    EXPECT_EQ(hex.find_first_not_of("0123456789abcdef"), std::string::npos);
}

// A password with an umlaut enters the digest as its single ANSI byte.
TEST(Md5, AnsiCharacterIsOneByte) {
    EXPECT_EQ(HexOf("49172\xFC"), "196f4f028c0d13b6fbc1fa71fdcd0aec");
    EXPECT_NE(HexOf("49172\xFC"), HexOf("49172\xC3\xBC"));
}
