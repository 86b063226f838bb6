#include "app/ServiceEndpoints.h"

namespace velora::app {

namespace {
std::string OnService(std::string_view path) {
    std::string url(ServiceBaseUrl);
    url += path;
    return url;
}
}  // namespace

// The texts are what the service expects, doubled "&&" included.
std::string ServicePageUrl(ServicePage page) {
    switch (page) {
        case spReminder: return OnService("/send?method=reminder&sApp=DW&&bSmallApp=1");
        case spContacts: return OnService("/contacts?sApp=DW&bSmallApp=1");
        case spPrices: return OnService("/info?method=prices&sApp=DW");
        case spFile: return OnService("/send?method=file&sApp=DW&&bSmallApp=1");
        case spSend:
        default: return OnService("/send?sApp=DW&&bSmallApp=1");
    }
}

std::string RegisterUrlBase() { return OnService("/register?sApp=DW"); }
std::string DownloadPageUrlBase() { return OnService("/download?sApp=DW"); }
std::string VersionFileUrl() { return OnService("/update/dw.version"); }
std::string InstallerUrl() { return OnService("/update/VELORADesktop.exe"); }

}  // namespace velora::app
