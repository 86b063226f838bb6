// The Url setter and the grabber's defaults; no transfer runs here.

#include <gtest/gtest.h>

#include "net/GrabberFixture.h"
#include "component/ClassInfo.h"

namespace velora::net::testing {
namespace {

using UrlSetter = GrabberFixture;

TEST_F(UrlSetter, StoresMarkerHostAndPathAndMovesCredentialsAndPortOut) {
    grabber->SetUrl("www.example.com/update/dw.version");
    EXPECT_EQ(grabber->Url(), "http://www.example.com/update/dw.version");

    grabber->SetUrl("http://joe:se:cret@example.com:8080/a/b");
    EXPECT_EQ(grabber->Url(), "http://example.com/a/b");
    EXPECT_EQ(grabber->UserName(), "joe");
    EXPECT_EQ(grabber->Password(), "se:cret");  // from the first ":" to the "@"
    EXPECT_EQ(grabber->Port(), 8080u);

    // A URL without them leaves the earlier ones in place.
    grabber->SetUrl("HTTP://Other.example.com/X");
    EXPECT_EQ(grabber->Url(), "http://Other.example.com/X");
    EXPECT_EQ(grabber->UserName(), "joe");
    EXPECT_EQ(grabber->Port(), 8080u);

    grabber->SetUrl("http://example.com");
    EXPECT_EQ(grabber->Url(), "http://example.com/");

    grabber->SetPort(0);
    grabber->SetUrl("http://example.com:http/x");  // a port that is no number
    EXPECT_EQ(grabber->Url(), "http://example.com/x");
    EXPECT_EQ(grabber->Port(), 0u);
}

TEST_F(UrlSetter, TheHostFollowsTheLastAtSign) {
    grabber->SetUrl("http://user@evil.example@good.example/x");
    EXPECT_EQ(grabber->Url(), "http://good.example/x");
    EXPECT_EQ(grabber->UserName(), "user@evil.example");
}

TEST_F(UrlSetter, KeepsSecureScheme) {
    grabber->SetUrl("HTTPS://secure.example.com/file.bin");
    EXPECT_EQ(grabber->Url(), "https://secure.example.com/file.bin");
    grabber->SetUrl("https://secure.example.com:8443/file");
    EXPECT_EQ(grabber->Url(), "https://secure.example.com/file");
    EXPECT_EQ(grabber->Port(), 8443u);

    EXPECT_TRUE(THttpUrlGrabber::CanGrab("HTTP://x"));
    EXPECT_TRUE(THttpUrlGrabber::CanGrab("https://x"));
    EXPECT_FALSE(THttpUrlGrabber::CanGrab("ftp://x"));
    EXPECT_FALSE(THttpUrlGrabber::CanGrab("www.example.com"));
}

TEST_F(UrlSetter, DefaultsAndPublishedProperties) {
    EXPECT_EQ(grabber->Url(), "");
    EXPECT_EQ(grabber->FileName(), "output.txt");
    EXPECT_EQ(grabber->OutputMode(), omFile);
    EXPECT_EQ(grabber->Port(), 0u);
    EXPECT_EQ(grabber->ProxyMode(), pmSysConfig);
    EXPECT_EQ(grabber->ProxyAddresses(), "proxyserver");
    EXPECT_EQ(grabber->ProxyIgnoreList(), "<local>");
    EXPECT_EQ(grabber->State(), stIdle);
    EXPECT_EQ(grabber->ProtocolMarker(), "http://");
    EXPECT_EQ(grabber->ProtocolName(), "HTTP");

    // By name, as a form description sets them; the Url goes through its setter.
    const component::ClassInfo& info = grabber->Class();
    ASSERT_NE(info.FindProperty("url"), nullptr);
    info.FindProperty("Url")->SetString(*grabber, "user@example.com/x");
    EXPECT_EQ(grabber->Url(), "http://example.com/x");
    EXPECT_EQ(grabber->UserName(), "user");
    info.FindProperty("ProxyMode")->SetOrdinal(*grabber, pmManual);
    EXPECT_EQ(grabber->ProxyMode(), pmManual);
    ASSERT_NE(info.FindProperty("Referer"), nullptr);
    EXPECT_EQ(info.FindProperty("Referer")->GetString(*grabber), "VELORA Desktop Update");
}

}  // namespace
}  // namespace velora::net::testing
