#include "net/CustomUrlGrabber.h"

#include <stdexcept>

#include "net/CustomUrlGrabberThread.h"
#include "net/GrabberLink.h"
#include "platform/FileSystem.h"
#include "component/ClassInfo.h"

namespace velora::net {

const component::ClassInfo& TCustomUrlGrabber::StaticClass() {
    using component::Prop;
    static const component::ClassInfo info{"TCustomUrlGrabber", &component::TComponent::StaticClass(), {
        Prop::String("Agent", &TCustomUrlGrabber::Agent, &TCustomUrlGrabber::SetAgent),
        Prop::String("FileName", &TCustomUrlGrabber::FileName, &TCustomUrlGrabber::SetFileName),
        Prop::Enumeration("OutputMode", OutputModeType, &TCustomUrlGrabber::OutputMode,
                          &TCustomUrlGrabber::SetOutputMode),
        Prop::String("Password", &TCustomUrlGrabber::Password, &TCustomUrlGrabber::SetPassword),
        Prop::Integer("Port", &TCustomUrlGrabber::Port, &TCustomUrlGrabber::SetPort),
        Prop::String("Url", &TCustomUrlGrabber::Url, &TCustomUrlGrabber::SetUrl),
        Prop::String("UserName", &TCustomUrlGrabber::UserName, &TCustomUrlGrabber::SetUserName),
    }};
    return info;
}

TCustomUrlGrabber::TCustomUrlGrabber(component::TComponent* owner, UrlGrabberServices services)
    : component::TComponent(owner), services_(std::move(services)), link_(std::make_shared<GrabberLink>(*this)) {
    if (!services_.dispatcher) throw std::invalid_argument("A URL grabber needs a user-interface dispatcher");
}

TCustomUrlGrabber::~TCustomUrlGrabber() {
    Stop();
    link_->GrabberGone();
}

void TCustomUrlGrabber::SetUrl(const std::string& url) {
    if (State() != stIdle) throw EGrabberNotStopped();
    const std::string marker = ProtocolMarkerFor(url);
    const UrlParts parts = ParseUrl(url, marker);
    if (!parts.userName.empty()) userName_ = parts.userName;
    if (!parts.password.empty()) password_ = parts.password;
    if (parts.port != 0) port_ = static_cast<std::uint32_t>(parts.port);
    url_ = marker + parts.host + "/" + parts.path;
}

GrabberStatus TCustomUrlGrabber::State() const { return link_->State(); }

std::int64_t TCustomUrlGrabber::ContentSize() const { return worker_ ? worker_->ContentSize() : 0; }

std::int64_t TCustomUrlGrabber::BytesReceived() const { return worker_ ? worker_->BytesReceived() : 0; }

void TCustomUrlGrabber::Start() {
    Stop();
    // What a download to the file left beside it when the program ended in
    // its middle goes first; a transfer still writing keeps its own.
    if (OutputMode() == omFile && services_.files) services_.files->DiscardStaleReplacement(FileName());
    std::shared_ptr<TCustomUrlGrabberThread> worker = CreateWorker();
    worker_ = worker;
    worker->Resume();
}

void TCustomUrlGrabber::Stop() {
    // The running thread holds its worker; once it ends, the worker goes
    // with the last reference, so nothing here has to release it.
    if (worker_) worker_->Terminate();
}

void TCustomUrlGrabber::NotifyStatus(std::uint32_t /*internetStatus*/) { Fire(OnStatusChange); }

UrlParts TCustomUrlGrabber::ParseUrl(const std::string& url, const std::string& marker) const {
    return ParseUrlParts(url, marker);
}

void TCustomUrlGrabber::Fire(const component::TNotifyEvent& event) {
    const component::TNotifyEvent handler = event;
    if (handler) handler(this);
}

}  // namespace velora::net
