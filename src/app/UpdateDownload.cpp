#include "app/UpdateDownload.h"

#include <string>

#include "app/ServiceEndpoints.h"
#include "net/HttpUrlGrabber.h"

namespace velora::app {

void UseUpdateDownloadSettings(net::THttpUrlGrabber& grabber) {
    grabber.SetReferer(std::string(DownloadReferer));
    grabber.SetAgent(std::string(DownloadUserAgent));
    grabber.SetPort(0);
    grabber.SetProxyMode(net::pmSysConfig);
    grabber.SetProxyAddresses("proxyserver");
    grabber.SetProxyIgnoreList("<local>");
}

}  // namespace velora::app
