#include "controls/remote/RemoteFormWindow.h"

#include "component/ClassInfo.h"
#include "component/Property.h"
#include "controls/Form.h"
#include "controls/WebBrowser.h"
#include "controls/remote/RemoteProperties.h"
#include "text/Numbers.h"

namespace velora::controls {

bool IsChangedInWindow(std::string_view property) {
    return property == "Left" || property == "Top" || property == "Visible";
}

RemoteFormWindow::RemoteFormWindow(TForm& form, TWebBrowser& browser, RemoteProcess& process, RemoteTimer timer,
                                   int idleMilliseconds)
    : form_(form), browser_(browser), process_(process), timer_(std::move(timer)), idleMilliseconds_(idleMilliseconds) {
    browser_.SetBackend(this);
}

// The model may be gone already: it is left alone.
RemoteFormWindow::~RemoteFormWindow() = default;

void RemoteFormWindow::EnsureProcess() {
    if (process_.Running()) return;
    // A timer left from the last process has run out. What that process
    // told of is forgotten (without one, LocationUrl and Busy say nothing).
    idle_.reset();
    location_.clear();
    busy_ = false;
    process_.Start(*this);
    if (!process_.Running()) return;
    SendAllValues();
    process_.Send({"zoom", std::to_string(zoom_)});
    FollowVisibility();
}

// The window is shown last, with every other value in place.
void RemoteFormWindow::SendAllValues() {
    for (const component::PropertyInfo* property : MirroredProperties(form_))
        if (property->Name() != "Visible") process_.Send(ValueLine(form_, kRemoteForm, property->Name()));
    for (const component::PropertyInfo* property : MirroredProperties(browser_))
        process_.Send(ValueLine(browser_, kRemoteBrowser, property->Name()));
    process_.Send(ValueLine(form_, kRemoteForm, "Visible"));
}

void RemoteFormWindow::PropertyChanged(component::TComponent& component, std::string_view property) {
    const char* target = &component == &form_ ? kRemoteForm : &component == &browser_ ? kRemoteBrowser : nullptr;
    if (target == nullptr) return;
    const bool visibility = &component == &form_ && property == "Visible";
    if (visibility && form_.Visible() && !process_.Running()) {
        // Started with every value, this one among them.
        EnsureProcess();
        return;
    }
    const bool fromWindow = incoming_.IsBeingApplied(component, property);
    if (process_.Running() && !fromWindow && IsMirrored(component, property))
        process_.Send(ValueLine(component, target, property));
    if (visibility) FollowVisibility();
}

void RemoteFormWindow::FollowVisibility() {
    if (form_.Visible() || !process_.Running()) {
        idle_.reset();
        return;
    }
    if (idle_) return;
    idle_ = timer_(idleMilliseconds_, [this] {
        idle_.reset();
        process_.Stop();
    });
}

void RemoteFormWindow::BringToFront() {
    if (process_.Running()) process_.Send({"front"});
}

void RemoteFormWindow::Navigate(const std::string& url) {
    EnsureProcess();
    if (!process_.Running()) return;
    location_ = url;
    busy_ = true;
    process_.Send({"navigate", url});
}

std::string RemoteFormWindow::LocationUrl() const { return process_.Running() ? location_ : std::string(); }

bool RemoteFormWindow::Busy() const { return process_.Running() && busy_; }

void RemoteFormWindow::SetZoom(int percent) {
    if (percent == zoom_) return;
    zoom_ = percent;
    if (process_.Running()) process_.Send({"zoom", std::to_string(zoom_)});
}

void RemoteFormWindow::MessageArrived(const RemoteFields& fields) {
    const std::string& verb = fields.front();
    if (verb == "set" && fields.size() == 4 && fields[1] == kRemoteForm && IsChangedInWindow(fields[2])) {
        incoming_.Apply(fields, form_, browser_);
    } else if (verb == "close" && fields.size() == 1) {
        form_.Close();
    } else if (verb == "zoom" && fields.size() == 2) {
        const auto percent = text::ParseInt32(fields[1]);
        if (!percent || *percent == browser_.Zoom()) return;
        // The user zoomed in the window: as a zoom key here would.
        zoom_ = *percent;
        browser_.SetZoom(*percent);
        if (browser_.OnZoomChange) browser_.OnZoomChange(&browser_);
    } else if (verb == "location" && fields.size() == 3) {
        location_ = fields[1];
        busy_ = fields[2] == "1";
    }
    // Anything else is not this program's: ignored.
}

void RemoteFormWindow::ProcessEnded() {
    idle_.reset();
    // The window went with its process.
    if (form_.Visible()) form_.Hide();
}

}  // namespace velora::controls
