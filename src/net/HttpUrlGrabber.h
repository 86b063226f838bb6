#pragma once
// The HTTP grabber: fetches an "http://" (or "https://") URL with GET and
// protocol version "HTTP/1.0", sending a Referer and asking for no cached copy.

#include <cstdint>
#include <memory>
#include <string>

#include "net/ProxyingUrlGrabber.h"

namespace velora::net {

class THttpUrlGrabber : public TProxyingUrlGrabber {
public:
    static constexpr std::uint32_t kDefaultTimeout = 30000;  // milliseconds

    // Throws std::invalid_argument without an HTTP client or a dispatcher.
    THttpUrlGrabber(component::TComponent* owner, UrlGrabberServices services);

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    const std::string& Referer() const { return referer_; }
    void SetReferer(const std::string& referer) { referer_ = referer; }
    // How long a transfer waits for the server to connect, to take the
    // request or to send the next byte, in milliseconds; a server silent for
    // longer ends the transfer with OnError.
    std::uint32_t Timeout() const { return timeout_; }
    void SetTimeout(std::uint32_t milliseconds) { timeout_ = milliseconds; }

    // The URL starts with "http://" or "https://", in any letter case.
    static bool CanGrab(const std::string& url);
    std::string ProtocolMarker() const override { return "http://"; }
    std::string ProtocolName() const override { return "HTTP"; }
    // "https://" for a URL that starts with it in any letter case, so that a
    // secure address stays secure; "http://" for everything else.
    std::string ProtocolMarkerFor(const std::string& url) const override;

protected:
    std::shared_ptr<TCustomUrlGrabberThread> CreateWorker() override;

private:
    friend class THttpUrlGrabberThread;

    std::string referer_;
    std::uint32_t timeout_ = kDefaultTimeout;
};

}  // namespace velora::net
