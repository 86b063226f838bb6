#pragma once
// The base of the URL grabbers: a non-visual component that fetches one URL
// on a worker thread, writes the reply to a file as it comes or keeps it in
// memory, and at the end puts the file in its place or hands the reply over
// as a stream. Every event runs on the user-interface thread; progress may be
// queued there, every other event is handed over while the worker waits.

#include <cstdint>
#include <memory>
#include <string>

#include "net/ProgressPacing.h"
#include "net/UrlGrabberTypes.h"
#include "net/UrlParts.h"
#include "component/Component.h"
#include "component/Events.h"

namespace velora::platform {
class FileSystem;
class HttpClient;
class UiThreadDispatcher;
}  // namespace velora::platform

namespace velora::net {

class GrabberLink;
class TCustomUrlGrabberThread;

// The system services a grabber and its workers work through. The workers
// keep the client and the dispatcher alive; the file system is used only on
// the user-interface thread while the grabber exists (the file replacement
// it begins for a reply is written on the worker).
struct UrlGrabberServices {
    std::shared_ptr<platform::HttpClient> http;
    std::shared_ptr<platform::UiThreadDispatcher> dispatcher;
    platform::FileSystem* files = nullptr;
    // The clock the progress of a reply is paced by; the steady clock when empty.
    ProgressPacing::Clock clock = nullptr;
};

class TCustomUrlGrabber : public component::TComponent {
public:
    // Stops the worker; one still running delivers nothing more.
    ~TCustomUrlGrabber() override;

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    const std::string& Url() const { return url_; }
    // Refused with EGrabberNotStopped unless idle. User name, password and
    // port found in the value move to UserName, Password and Port; what is
    // stored is the scheme marker, the host, "/" and the path.
    virtual void SetUrl(const std::string& url);
    // Used when the URL carries none.
    const std::string& UserName() const { return userName_; }
    void SetUserName(const std::string& userName) { userName_ = userName; }
    const std::string& Password() const { return password_; }
    void SetPassword(const std::string& password) { password_ = password; }
    // 0: the scheme's default port. Passed on as 16 bits.
    std::uint32_t Port() const { return port_; }
    void SetPort(std::uint32_t port) { port_ = port; }
    // In omFile mode the reply is written beside the name the grabber has
    // when the reply begins, and takes the name it has when the transfer
    // completes; a relative name is resolved against the current directory.
    const TFileName& FileName() const { return fileName_; }
    void SetFileName(const TFileName& fileName) { fileName_ = fileName; }
    // Taken when a transfer starts.
    TOutputMode OutputMode() const { return outputMode_; }
    void SetOutputMode(TOutputMode mode) { outputMode_ = mode; }
    const std::string& Agent() const { return agent_; }
    void SetAgent(const std::string& agent) { agent_ = agent; }

    GrabberStatus State() const;
    // The counts of the last transfer started (0 before any).
    std::int64_t ContentSize() const;
    std::int64_t BytesReceived() const;

    // Stops the current worker and starts a new one that fetches Url with
    // the settings as they are now. Does not look at the state. For a file,
    // what an unfinished download to it left behind is removed first.
    virtual void Start();
    // Asks the current worker to end at its next check; does not wait and
    // does not change the state.
    virtual void Stop();

    // A status notification of the platform, on the user-interface thread:
    // fires OnStatusChange.
    virtual void NotifyStatus(std::uint32_t internetStatus);

    virtual std::string ProtocolMarker() const = 0;
    virtual std::string ProtocolName() const = 0;
    virtual UrlParts ParseUrl(const std::string& url, const std::string& marker) const;
    // The marker a URL is parsed with and stored under.
    virtual std::string ProtocolMarkerFor(const std::string& url) const { return ProtocolMarker(); }

    TDoneFileEvent OnDoneFile;
    TDoneStreamEvent OnDoneStream;
    TErrorEvent OnError;
    TUrlGrabberProgressEvent OnProgress;
    component::TNotifyEvent OnStatusChange;
    component::TNotifyEvent OnResolvingName;
    component::TNotifyEvent OnNameResolved;
    component::TNotifyEvent OnConnectingToServer;
    component::TNotifyEvent OnConnectedToServer;
    component::TNotifyEvent OnSendingRequest;
    component::TNotifyEvent OnRequestSent;
    component::TNotifyEvent OnReceivingResponse;
    component::TNotifyEvent OnResponseReceived;
    component::TNotifyEvent OnClosingConnection;
    component::TNotifyEvent OnConnectionClosed;
    component::TNotifyEvent OnRequestComplete;
    component::TNotifyEvent OnRedirect;

protected:
    // Throws std::invalid_argument without a dispatcher.
    TCustomUrlGrabber(component::TComponent* owner, UrlGrabberServices services);

    // A new, not yet running worker for this grabber (the grabber's worker class).
    virtual std::shared_ptr<TCustomUrlGrabberThread> CreateWorker() = 0;

    const UrlGrabberServices& Services() const { return services_; }
    void Fire(const component::TNotifyEvent& event);

private:
    friend class TCustomUrlGrabberThread;

    UrlGrabberServices services_;
    std::shared_ptr<GrabberLink> link_;
    std::shared_ptr<TCustomUrlGrabberThread> worker_;  // the last one started

    std::string url_;
    std::string userName_;
    std::string password_;
    std::uint32_t port_ = 0;
    TFileName fileName_ = "output.txt";
    TOutputMode outputMode_ = omFile;
    std::string agent_;
};

}  // namespace velora::net
