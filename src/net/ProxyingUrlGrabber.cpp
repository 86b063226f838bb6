#include "net/ProxyingUrlGrabber.h"

#include "platform/HttpClient.h"
#include "component/ClassInfo.h"

namespace velora::net {

const component::ClassInfo& TProxyingUrlGrabber::StaticClass() {
    using component::Prop;
    using G = TProxyingUrlGrabber;
    static const component::ClassInfo info{"TProxyingUrlGrabber", &TCustomUrlGrabber::StaticClass(), {
        Prop::String("ProxyAddresses", &G::ProxyAddresses, &G::SetProxyAddresses),
        Prop::String("ProxyIgnoreList", &G::ProxyIgnoreList, &G::SetProxyIgnoreList),
        Prop::Enumeration("ProxyMode", ProxyModeType, &G::ProxyMode, &G::SetProxyMode),
        Prop::String("ProxyPassword", &G::ProxyPassword, &G::SetProxyPassword),
        Prop::String("ProxyUserName", &G::ProxyUserName, &G::SetProxyUserName),
    }};
    return info;
}

void TProxyingUrlGrabber::NotifyStatus(std::uint32_t internetStatus) {
    TCustomUrlGrabber::NotifyStatus(internetStatus);
    namespace status = platform::internet_status;
    switch (internetStatus) {
        case status::ResolvingName: Fire(OnResolvingName); break;
        case status::NameResolved: Fire(OnNameResolved); break;
        case status::ConnectingToServer: Fire(OnConnectingToServer); break;
        case status::ConnectedToServer: Fire(OnConnectedToServer); break;
        case status::SendingRequest: Fire(OnSendingRequest); break;
        case status::RequestSent: Fire(OnRequestSent); break;
        case status::ReceivingResponse: Fire(OnReceivingResponse); break;
        case status::ResponseReceived: Fire(OnResponseReceived); break;
        case status::ClosingConnection: Fire(OnClosingConnection); break;
        case status::ConnectionClosed: Fire(OnConnectionClosed); break;
        case status::RequestComplete: Fire(OnRequestComplete); break;
        case status::Redirect: Fire(OnRedirect); break;
        case status::StateChange: Fire(OnStatusChange); break;
        default: break;
    }
}

}  // namespace velora::net
