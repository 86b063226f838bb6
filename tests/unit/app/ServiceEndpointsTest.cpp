#include <gtest/gtest.h>

#include <string>

#include "app/ServiceEndpoints.h"

using namespace velora::app;

namespace {
std::string Base() { return std::string(ServiceBaseUrl); }
}  // namespace

TEST(ServiceEndpoints, PageTextsExactly) {
    EXPECT_EQ(ServicePageUrl(spSend), Base() + "/send?sApp=DW&&bSmallApp=1");
    EXPECT_EQ(ServicePageUrl(spReminder), Base() + "/send?method=reminder&sApp=DW&&bSmallApp=1");
    EXPECT_EQ(ServicePageUrl(spContacts), Base() + "/contacts?sApp=DW&bSmallApp=1");
    EXPECT_EQ(ServicePageUrl(spPrices), Base() + "/info?method=prices&sApp=DW");
    EXPECT_EQ(ServicePageUrl(spFile), Base() + "/send?method=file&sApp=DW&&bSmallApp=1");
}

TEST(ServiceEndpoints, PageOutsideTheListGivesSendPage) {
    const std::string send = ServicePageUrl(spSend);
    EXPECT_EQ(ServicePageUrl(static_cast<ServicePage>(5)), send);
    EXPECT_EQ(ServicePageUrl(static_cast<ServicePage>(-1)), send);
    EXPECT_EQ(ServicePageUrl(static_cast<ServicePage>(1000)), send);
}

TEST(ServiceEndpoints, FilesAndRegistration) {
    EXPECT_EQ(RegisterUrlBase(), Base() + "/register?sApp=DW");
    EXPECT_EQ(VersionFileUrl(), Base() + "/update/dw.version");
    EXPECT_EQ(InstallerUrl(), Base() + "/update/VELORADesktop.exe");
    EXPECT_EQ(DownloadUserAgent, "VELORA Desktop");
    EXPECT_EQ(DownloadReferer, "VELORA Desktop Update");
}

TEST(ServiceEndpoints, EverythingStartsWithTheServiceAddress) {
    ASSERT_FALSE(ServiceBaseUrl.empty());
    EXPECT_NE(ServiceBaseUrl.back(), '/');
    const std::string urls[] = {
        ServicePageUrl(spSend),  ServicePageUrl(spReminder), ServicePageUrl(spContacts),
        ServicePageUrl(spPrices), ServicePageUrl(spFile),    RegisterUrlBase(),
        VersionFileUrl(),         InstallerUrl(),
    };
    for (const std::string& url : urls) EXPECT_EQ(url.rfind(Base(), 0), 0u) << url;
}
