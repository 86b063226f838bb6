#include "net/HttpUrlGrabber.h"

#include <stdexcept>

#include "net/HttpUrlGrabberThread.h"
#include "text/Text.h"
#include "component/ClassInfo.h"

namespace velora::net {

namespace {
constexpr std::string_view kSecureMarker = "https://";
}

const component::ClassInfo& THttpUrlGrabber::StaticClass() {
    using component::Prop;
    static const component::ClassInfo info{"THttpUrlGrabber", &TProxyingUrlGrabber::StaticClass(), {
        Prop::String("Referer", &THttpUrlGrabber::Referer, &THttpUrlGrabber::SetReferer),
    }};
    return info;
}

THttpUrlGrabber::THttpUrlGrabber(component::TComponent* owner, UrlGrabberServices services)
    : TProxyingUrlGrabber(owner, std::move(services)) {
    if (!Services().http) throw std::invalid_argument("An HTTP grabber needs an HTTP client");
}

bool THttpUrlGrabber::CanGrab(const std::string& url) {
    return text::AnsiLowerCase(url.substr(0, 7)) == "http://" || IsSecureUrl(url);
}

std::string THttpUrlGrabber::ProtocolMarkerFor(const std::string& url) const {
    return IsSecureUrl(url) ? std::string(kSecureMarker) : ProtocolMarker();
}

std::shared_ptr<TCustomUrlGrabberThread> THttpUrlGrabber::CreateWorker() {
    return std::make_shared<THttpUrlGrabberThread>(*this);
}

}  // namespace velora::net
