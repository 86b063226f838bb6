#pragma once
// The peer of a form whose window holds the browser: the window, with the
// browser, lives in a process of its own (PageProcess.h), so that WebKit's
// libraries, threads and processes are in this one at no time and go
// entirely once the window has stayed hidden for the idle time
// (controls/remote/RemoteFormWindow.h). The form's tray icon and its menu
// stay here, their peers as on any form.

#include <string_view>

#include "component/ControlPeer.h"
#include "controls/peers/FormPeers.h"
#include "controls/remote/RemoteFormWindow.h"
#include "gtk/GtkControlPeer.h"
#include "gtk/pagewindow/PageProcess.h"

namespace velora::controls {
class TWebBrowser;
}  // namespace velora::controls

namespace velora::gtk {

// The peers here need nothing of a window.
struct PageProcessContext {};

class PageProcessFormPeer final : public component::ControlPeer,
                                  private controls::FormPeerSide<PageProcessContext> {
public:
    PageProcessFormPeer(controls::TForm& form, controls::TWebBrowser& browser);
    ~PageProcessFormPeer() override;
    PageProcessFormPeer(const PageProcessFormPeer&) = delete;
    PageProcessFormPeer& operator=(const PageProcessFormPeer&) = delete;

    void PropertyChanged(component::TComponent& component, std::string_view property) override;
    void BringToFront(controls::TForm& form) override;
    void HandleError(std::exception_ptr error) override;

private:
    bool HasWindow() const override { return opened_; }
    void CreateFormWindow() override { opened_ = true; }
    PageProcessContext PeerContext() override { return {}; }
    void FormPropertyChanged(std::string_view) override {}
    void TabOrderChanged() override {}

    bool opened_ = false;
    PageProcess process_;
    controls::RemoteFormWindow window_;
    controls::FormPeers<GtkControlPeer, PageProcessContext> peers_;
};

// The browser of the form whose window should live in a process of its
// own; nullptr for any other form.
controls::TWebBrowser* BrowserOfPageWindow(const controls::TForm& form);

// The seconds a hidden page window keeps its process:
// VELORA_BROWSER_IDLE_SECONDS when it holds a number from 0 to 86400, else 300.
unsigned BrowserIdleSeconds(const char* setting);

}  // namespace velora::gtk
