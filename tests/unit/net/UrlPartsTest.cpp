// Taking addresses apart: where the credentials end and the host begins.

#include <gtest/gtest.h>

#include "net/UrlParts.h"

namespace velora::net {
namespace {

std::string Described(const UrlParts& parts) {
    return "user=" + parts.userName + " password=" + parts.password + " host=" + parts.host +
           " port=" + std::to_string(parts.port) + " path=" + parts.path;
}

TEST(UrlParts, CredentialsEndAtTheLastAtSignBeforeThePath) {
    // The host is what follows the last "@": a user name holding "@" cannot
    // send the request elsewhere.
    EXPECT_EQ(Described(ParseUrlParts("http://user@evil.example@good.example/x", "http://")),
              "user=user@evil.example password= host=good.example port=0 path=x");
    EXPECT_EQ(Described(ParseUrlParts("http://joe:p@ss:w@good.example:81/x", "http://")),
              "user=joe password=p@ss:w host=good.example port=81 path=x");
    // An "@" after the first "/" belongs to the path.
    EXPECT_EQ(Described(ParseUrlParts("http://good.example/a@b/c@d", "http://")),
              "user= password= host=good.example port=0 path=a@b/c@d");
    EXPECT_EQ(Described(ParseUrlParts("http://a@b@c@", "http://")), "user=a@b@c password= host= port=0 path=");
    EXPECT_EQ(Described(ParseUrlParts("@good.example", "http://")), "user= password= host=good.example port=0 path=");
}

}  // namespace
}  // namespace velora::net
