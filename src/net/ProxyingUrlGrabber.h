#pragma once
// A URL grabber that goes through a proxy as configured, and names the
// platform's status notifications with their own events.

#include <string>

#include "net/CustomUrlGrabber.h"

namespace velora::net {

class TProxyingUrlGrabber : public TCustomUrlGrabber {
public:
    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    // pmNoProxy: direct; pmSysConfig: the system's Internet settings;
    // pmManual: the proxy below.
    TProxyMode ProxyMode() const { return proxyMode_; }
    void SetProxyMode(TProxyMode mode) { proxyMode_ = mode; }
    // Proxy list and bypass list, pmManual only.
    const std::string& ProxyAddresses() const { return proxyAddresses_; }
    void SetProxyAddresses(const std::string& addresses) { proxyAddresses_ = addresses; }
    const std::string& ProxyIgnoreList() const { return proxyIgnoreList_; }
    void SetProxyIgnoreList(const std::string& ignoreList) { proxyIgnoreList_ = ignoreList; }
    // Proxy credentials, pmManual only.
    const std::string& ProxyUserName() const { return proxyUserName_; }
    void SetProxyUserName(const std::string& userName) { proxyUserName_ = userName; }
    const std::string& ProxyPassword() const { return proxyPassword_; }
    void SetProxyPassword(const std::string& password) { proxyPassword_ = password; }

    // OnStatusChange, then the event named for the status code.
    void NotifyStatus(std::uint32_t internetStatus) override;

protected:
    using TCustomUrlGrabber::TCustomUrlGrabber;

private:
    TProxyMode proxyMode_ = pmSysConfig;
    std::string proxyAddresses_ = "proxyserver";
    std::string proxyIgnoreList_ = "<local>";
    std::string proxyUserName_;
    std::string proxyPassword_;
};

}  // namespace velora::net
