#pragma once
// Addresses on the SMS web service: the pages shown in the program's window or
// the system's browser, the registration page, and the two files the update
// check downloads. Every address starts with the service's scheme and host,
// which is fixed when the program is built.

#include <string>
#include <string_view>

#include "BuildConfig.h"

namespace velora::app {

inline constexpr std::string_view ServiceBaseUrl = build::ServiceBaseUrl;

// Fixed underlying type so that any stored number converts without surprises;
// values outside the list fall back to the send page.
enum ServicePage : int {
    spSend = 0,
    spReminder = 1,
    spContacts = 2,
    spPrices = 3,
    spFile = 4,
};

// The page's address without login query and language.
std::string ServicePageUrl(ServicePage page);

// Registration page; the caller appends the language.
std::string RegisterUrlBase();
// The page that offers the program for download, for systems that cannot run
// the installer; the caller appends the language.
std::string DownloadPageUrlBase();
std::string VersionFileUrl();
std::string InstallerUrl();

// Identification the download engine sends with each request.
inline constexpr std::string_view DownloadUserAgent = "VELORA Desktop";
inline constexpr std::string_view DownloadReferer = "VELORA Desktop Update";

}  // namespace velora::app
