#include "gtk/pagewindow/PageProcessFormPeer.h"

#include <cstdlib>
#include <memory>

#include "controls/TrayIcon.h"
#include "controls/WebBrowser.h"
#include "gtk/ErrorDisplay.h"
#include "gtk/GtkDelayedCall.h"
#include "gtk/tray/SniTrayIconPeer.h"
#include "text/Numbers.h"

namespace velora::gtk {

namespace {

constexpr unsigned kIdleSeconds = 300;
constexpr unsigned kMostIdleSeconds = 24 * 60 * 60;

using PageProcessPeers = controls::PeerRegistry<GtkControlPeer, PageProcessContext>;

const PageProcessPeers& PeersHere() {
    static const PageProcessPeers registry = [] {
        PageProcessPeers kinds;
        kinds.Register("TTrayIcon", [](component::TComponent& component, PageProcessContext&) {
            auto* tray = dynamic_cast<controls::TTrayIcon*>(&component);
            return tray ? std::unique_ptr<GtkControlPeer>(std::make_unique<SniTrayIconPeer>(*tray)) : nullptr;
        });
        return kinds;
    }();
    return registry;
}

}  // namespace

unsigned BrowserIdleSeconds(const char* setting) {
    if (!setting) return kIdleSeconds;
    const auto seconds = text::ParseDigits(setting, 10, kMostIdleSeconds);
    return seconds ? static_cast<unsigned>(*seconds) : kIdleSeconds;
}

controls::TWebBrowser* BrowserOfPageWindow(const controls::TForm& form) {
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* browser = dynamic_cast<controls::TWebBrowser*>(form.Components(i))) return browser;
    return nullptr;
}

PageProcessFormPeer::PageProcessFormPeer(controls::TForm& form, controls::TWebBrowser& browser)
    : window_(form, browser, process_, &CallOnTimeout,
              static_cast<int>(BrowserIdleSeconds(std::getenv("VELORA_BROWSER_IDLE_SECONDS")) * 1000)),
      peers_(form, PeersHere(), *this) {
    form.SetPeer(this);
    peers_.Open(controls::WindowCreation::AtOnce);
}

// The tray icon goes first; the process ends with its channel.
PageProcessFormPeer::~PageProcessFormPeer() { peers_.Clear(); }

void PageProcessFormPeer::PropertyChanged(component::TComponent& component, std::string_view property) {
    peers_.PropertyChanged(component, property);
    window_.PropertyChanged(component, property);
}

void PageProcessFormPeer::BringToFront(controls::TForm&) { window_.BringToFront(); }

void PageProcessFormPeer::HandleError(std::exception_ptr error) { ShowException(error); }

}  // namespace velora::gtk
