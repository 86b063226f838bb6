#pragma once
// A form whose window, with its browser, lives in another process, so that
// the browser's libraries, threads and helper processes end with it: the
// model stays here, the window there shows it (MirroredForm.h). The form's
// and the browser's published values go there as they change, with the
// navigations, the zoom and the requests to come to the front; the user's
// doings come back as model calls: the window moved, closed (the form's
// Close), shown (a notification's click), zoomed, the page's address.
//
// The process starts with the first page or showing. Once the form has
// stayed hidden for the idle time it is asked to end, and the browser then
// shows no page (LocationUrl is empty, so a language switch navigates
// nothing); the next page starts another process. A process that ends by
// itself (a crash) takes the window with it: the form is hidden.
//
// Lines, either way:
//   set <form|browser> <property> <value>   a published value
//   navigate <url>      zoom <percent>      front
//   close               location <url> <busy 0|1>   (from the window only)

#include <memory>
#include <string>
#include <string_view>

#include "controls/remote/IncomingValue.h"
#include "controls/remote/RemoteProcess.h"
#include "platform/Desktop.h"
#include "platform/WebBrowser.h"

namespace velora::component {
class TComponent;
}  // namespace velora::component

namespace velora::controls {

class TForm;
class TWebBrowser;

inline constexpr char kRemoteForm[] = "form";
inline constexpr char kRemoteBrowser[] = "browser";

// The form's values the user changes in the window itself (moving it, a
// notification's click showing it): the only ones the window tells of.
bool IsChangedInWindow(std::string_view property);

// One-shot timers, as platform::Desktop::CallLater makes them.
using RemoteTimer = std::function<std::unique_ptr<platform::DelayedCall>(int milliseconds, std::function<void()>)>;

class RemoteFormWindow final : public platform::WebBrowser, private RemoteProcessListener {
public:
    // Becomes the browser's backend until destroyed.
    RemoteFormWindow(TForm& form, TWebBrowser& browser, RemoteProcess& process, RemoteTimer timer,
                     int idleMilliseconds);
    ~RemoteFormWindow() override;
    RemoteFormWindow(const RemoteFormWindow&) = delete;
    RemoteFormWindow& operator=(const RemoteFormWindow&) = delete;

    // The model's changes of the form and its components; those of other
    // components than the form and the browser are not the window's.
    void PropertyChanged(component::TComponent& component, std::string_view property);
    void BringToFront();

    void Navigate(const std::string& url) override;
    std::string LocationUrl() const override;
    bool Busy() const override;
    void SetZoom(int percent) override;

private:
    void MessageArrived(const RemoteFields& fields) override;
    void ProcessEnded() override;

    // A process runs, and has been told the form's and the browser's values.
    void EnsureProcess();
    void SendAllValues();
    // Hidden with a process: its idle time runs; shown: it stops.
    void FollowVisibility();

    TForm& form_;
    TWebBrowser& browser_;
    RemoteProcess& process_;
    RemoteTimer timer_;
    int idleMilliseconds_;
    std::unique_ptr<platform::DelayedCall> idle_;
    // The page the window shows, as it last told; only while it runs.
    std::string location_;
    bool busy_ = false;
    int zoom_ = 100;
    IncomingValue incoming_;
};

}  // namespace velora::controls
