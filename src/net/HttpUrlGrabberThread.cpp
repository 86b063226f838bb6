#include "net/HttpUrlGrabberThread.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <vector>

#include "net/HttpUrlGrabber.h"
#include "text/Numbers.h"

namespace velora::net {

namespace {
std::optional<std::string> Credential(const std::string& value) {
    if (value.empty()) return std::nullopt;  // absent rather than empty
    return value;
}

// Only a 2xx status brings the file asked for; anything else (an error page,
// a redirect the client did not follow) must never take its place.
bool IsSuccess(std::optional<std::uint32_t> status) { return status && *status >= 200 && *status <= 299; }

std::string UnsuccessfulStatusText(std::optional<std::uint32_t> status) {
    if (!status) return "The server's reply carried no status.";
    return "The server answered with status " + std::to_string(*status) + ".";
}

std::string InterruptedText(std::int64_t received, std::int64_t announced) {
    return "The transfer was interrupted: received " + std::to_string(received) + " of " +
           std::to_string(announced) + " bytes.";
}
}  // namespace

THttpUrlGrabberThread::THttpUrlGrabberThread(THttpUrlGrabber& grabber)
    : TCustomUrlGrabberThread(grabber),
      http_(grabber.Services().http),
      proxyMode_(grabber.ProxyMode()),
      proxyAddresses_(grabber.ProxyAddresses()),
      proxyIgnoreList_(grabber.ProxyIgnoreList()),
      proxyUserName_(grabber.ProxyUserName()),
      proxyPassword_(grabber.ProxyPassword()),
      referer_(grabber.Referer()),
      timeout_(grabber.Timeout()) {}

void THttpUrlGrabberThread::Execute() {
    continueFlag_.store(true);
    SetState(stIdle);
    // Each transfer counts from 0, so that status notifications before its
    // first block do not report what an earlier transfer received.
    bytesReceived_.store(0);

    Handles handles;
    try {
        Transfer(handles);
    } catch (...) {
        // A malformed content length, an unwritable file or a handler's
        // exception ends the transfer without a report.
    }
    DiscardPendingFailure();
    DropReply();
    CloseHandles(handles);
    try {
        DeliverConnectionClosed();
    } catch (...) {
    }
    SetState(stIdle);
}

void THttpUrlGrabberThread::Transfer(Handles& handles) {
    const Settings& settings = Grabbed();
    const std::string& userName = settings.parts.userName.empty() ? settings.userName : settings.parts.userName;
    const std::string& password = settings.parts.password.empty() ? settings.password : settings.parts.password;
    std::uint32_t port = settings.parts.port != 0 ? static_cast<std::uint32_t>(settings.parts.port) : settings.port;
    const bool secure = IsSecureUrl(settings.url);
    if (secure && port == 0) port = platform::kHttpsPort;

    errorText_.clear();
    SetState(stConnecting);

    switch (proxyMode_) {
        case pmNoProxy:
            handles.internet =
                http_->OpenInternet(settings.agent, platform::InternetOpenType::Direct, std::nullopt, std::nullopt);
            break;
        case pmManual:
            handles.internet = http_->OpenInternet(settings.agent, platform::InternetOpenType::Proxy,
                                                   proxyAddresses_, proxyIgnoreList_);
            break;
        case pmSysConfig:
        default:
            handles.internet = http_->OpenInternet(settings.agent, platform::InternetOpenType::Preconfig,
                                                   std::nullopt, std::nullopt);
            break;
    }
    if (handles.internet == 0) return ReportFailure(http_->LastErrorText());

    http_->SetStatusCallback(handles.internet);
    if (proxyMode_ == pmManual) {
        // The lengths count the terminating zero.
        http_->SetOption(handles.internet, platform::InternetOption::ProxyUserName, proxyUserName_.c_str(),
                         static_cast<std::uint32_t>(proxyUserName_.size() + 1));
        http_->SetOption(handles.internet, platform::InternetOption::ProxyPassword, proxyPassword_.c_str(),
                         static_cast<std::uint32_t>(proxyPassword_.size() + 1));
    }

    handles.connection = http_->Connect(handles.internet, settings.parts.host, static_cast<std::uint16_t>(port),
                                        Credential(userName), Credential(password), this);
    const std::string connectFailure = handles.connection == 0 ? http_->LastResponseInfo(kResponseInfoSize) : "";
    ThrowPendingFailure();
    if (Terminated()) return;
    if (handles.connection == 0) return ReportFailure(connectFailure);

    const std::uint32_t flags = (settings.outputMode == omFile ? kFileRequestFlags : kRequestFlags) |
                                (secure ? platform::kRequestFlagSecure : 0);
    handles.request = http_->OpenRequest(handles.connection, "GET", settings.parts.path, "HTTP/1.0", referer_, flags, 0);
    const std::string requestFailure = handles.request == 0 ? http_->LastResponseInfo(kResponseInfoSize) : "";
    ThrowPendingFailure();
    if (handles.request == 0) return ReportFailure(requestFailure);

    // A silent server must not hold the transfer for ever: the time-out
    // bounds each wait for it (to connect, to send, for each block of the
    // reply). Running into it, or a connection that broke off before the
    // reply came, is reported. So is, for a file, any other failure to send
    // (a refused connection, an unknown host, no network): no reply came,
    // and nothing must take the last good file's place. A reply kept in
    // memory comes empty then. Whether the request was sent also tells a
    // reply that broke off from one that never came.
    http_->SetTimeouts(handles.request, timeout_);
    const bool requestSent = http_->SendRequest(handles.request);
    const bool sendReported =
        !requestSent && (settings.outputMode == omFile || http_->LastErrorTimedOutOrBrokeOff());
    const std::string sendFailure = sendReported ? http_->LastErrorText() : "";
    ThrowPendingFailure();
    if (Terminated()) return;
    if (sendReported) return ReportFailure(sendFailure);
    if (requestSent) {
        const std::optional<std::uint32_t> status = http_->QueryStatusCode(handles.request);
        ThrowPendingFailure();
        if (!IsSuccess(status)) return ReportFailure(UnsuccessfulStatusText(status));
    }

    const std::optional<std::string> lengthText = http_->QueryContentLength(handles.request, kHeaderBufferSize);
    ThrowPendingFailure();
    if (Terminated()) return;
    const std::optional<std::int32_t> length = lengthText ? text::ParseInt32(*lengthText) : 0;
    // A malformed length ends the transfer without a report.
    if (!length) throw std::invalid_argument("'" + *lengthText + "' is not a valid integer value");
    contentSize_.store(*length);
    BeginReply();

    SetState(stReceiving);
    std::string readFailure;
    const bool readComplete = ReceiveReply(handles.request, requestSent, readFailure);
    DeliverLastProgress();
    ThrowPendingFailure();

    SetState(stFinishing);
    if (!continueFlag_.load() || Terminated()) return;
    // A reply that broke off is no reply: report it instead of saving a part.
    if (!readComplete) return ReportFailure(readFailure);
    if (lengthText && bytesReceived_.load() < contentSize_.load())
        return ReportFailure(InterruptedText(bytesReceived_.load(), contentSize_.load()));
    DeliverCompletion();
}

bool THttpUrlGrabberThread::ReceiveReply(platform::HttpHandle request, bool requestSent, std::string& failure) {
    std::vector<char> block(kReadBlockSize);
    std::int64_t total = 0;
    while (!Terminated() && continueFlag_.load()) {
        std::uint32_t bytesRead = 0;
        if (!http_->Read(request, block.data(), kReadBlockSize, bytesRead)) {
            bytesRead = 0;
            if (requestSent) {
                failure = http_->LastErrorText();
                ThrowPendingFailure();
                return false;
            }
        }
        ThrowPendingFailure();
        if (bytesRead == 0) break;
        bytesRead = std::min(bytesRead, kReadBlockSize);
        total += bytesRead;
        bytesReceived_.store(total);
        StoreBlock(block.data(), bytesRead);
        ReportBlockProgress();
    }
    return true;
}

void THttpUrlGrabberThread::ReportFailure(std::string text) {
    errorText_ = std::move(text);
    DeliverError();
}

void THttpUrlGrabberThread::CloseHandles(const Handles& handles) {
    CloseHandle(handles.request);
    CloseHandle(handles.connection);
    CloseHandle(handles.internet);
}

void THttpUrlGrabberThread::CloseHandle(platform::HttpHandle handle) {
    if (handle == 0) return;
    if (http_->Close(handle)) return;
    errorText_ = http_->LastResponseInfo(kResponseInfoSize);
    try {
        DeliverError();
    } catch (...) {
    }
    DiscardPendingFailure();
}

}  // namespace velora::net
