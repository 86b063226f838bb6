#include <gtest/gtest.h>

#include "text/Base64.h"

using namespace velora::text;

TEST(Base64, EncodesTheRfcVectorsAndEveryByteRoundTrips) {
    EXPECT_EQ(Base64Encode(""), "");
    EXPECT_EQ(Base64Encode("f"), "Zg==");
    EXPECT_EQ(Base64Encode("fo"), "Zm8=");
    EXPECT_EQ(Base64Encode("foo"), "Zm9v");
    EXPECT_EQ(Base64Encode("foobar"), "Zm9vYmFy");
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    for (std::size_t length : {0u, 1u, 2u, 3u, 4u, 255u, 256u}) {
        const std::string part = bytes.substr(0, length);
        EXPECT_EQ(Base64Decode(Base64Encode(part)), part) << length;
    }
    EXPECT_EQ(Base64Encode("\xFF\xFE\xFD"), "//79");
}

TEST(Base64, RefusesEverythingTheEncoderDoesNotWrite) {
    for (const char* text : {"Zg=", "Zg", "Z===", "Zh==", "Zm9=", "Zm8=Zm8=", "Zm 9v", "Zm9v\r\n", "Zm9-", "====",
                             "Z=g="}) {
        EXPECT_EQ(Base64Decode(text), std::nullopt) << text;
    }
    EXPECT_EQ(Base64Decode(""), std::string());
}
