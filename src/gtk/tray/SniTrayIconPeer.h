#pragma once
// The tray icon on Linux: a StatusNotifierItem on the session bus, with its
// menu exported over com.canonical.dbusmenu, shown by the desktop's
// StatusNotifier host (KDE Plasma, XFCE, Cinnamon, MATE, GNOME with the
// AppIndicator extension, ...). The host's primary activation (a click on
// the icon) stands for the double click on Windows and opens the send page;
// the host shows the menu with the same entries as the Windows menu, and a
// chosen entry runs its Click. What to do when is TrayIconLogic's, as on
// Windows. This peer puts the pieces together: the item and the menu on the
// bus under the item's bus name, the watcher that hands the item to the
// hosts, the timers and the popup menu.
//
// Where no StatusNotifier host is running (a bare window manager, GNOME
// without the extension), the program says so once and stays reachable from
// a second start, which opens the send page. When a host comes later (the
// watcher appears, as a re-created taskbar on Windows), the icon is added.

#include <map>
#include <string>

#include "controls/tray/TrayIconLogic.h"
#include "gtk/GtkControlPeer.h"
#include "gtk/raii/ObjectRef.h"
#include "gtk/tray/DbusMenuExporter.h"
#include "gtk/tray/DeferredCalls.h"
#include "gtk/tray/StatusNotifierItem.h"

typedef struct _GCancellable GCancellable;
typedef struct _GDBusConnection GDBusConnection;

namespace velora::controls {
class TTrayIcon;
}  // namespace velora::controls

namespace velora::gtk {

class SniTrayIconPeer final : public GtkControlPeer, private controls::TrayShell {
public:
    SniTrayIconPeer(controls::TTrayIcon& tray, const GtkPeerContext& context);
    // The icon needs nothing of the form's window.
    explicit SniTrayIconPeer(controls::TTrayIcon& tray);
    ~SniTrayIconPeer() override;
    SniTrayIconPeer(const SniTrayIconPeer&) = delete;
    SniTrayIconPeer& operator=(const SniTrayIconPeer&) = delete;

    GtkWidget* Widget() const override { return nullptr; }
    void PropertyChanged(std::string_view property) override { logic_.PropertyChanged(property); }
    void MenuChanged(const controls::TPopupMenu& menu) override;

    // The bus name the item goes by: "org.kde.StatusNotifierItem-<pid>-1".
    const std::string& BusName() const { return busName_; }

    void WatcherAppeared(const std::string& owner);
    void WatcherVanished();
    // The watcher's answer whether a host shows the items.
    void HostRegisteredKnown(bool registered);

private:
    bool AddIcon(const controls::TrayRecord& record) override;
    void ShowImage(const controls::TrayRecord& record) override;
    void ShowTip(const controls::TrayRecord& record) override;
    void RemoveIcon() override;
    // The hosts show the tip as given; it is kept to what the Windows shell
    // holds, so both systems show the same.
    controls::TrayTipRules TipRules() const override { return {}; }
    void StartTimer(controls::TrayTimer timer, unsigned intervalMs) override;
    void StopTimer(controls::TrayTimer timer) override;
    unsigned DoubleClickTime() const override;
    controls::TMenuItem* ShowMenu(controls::TPopupMenu& menu, controls::TrayPoint at) override;

    bool Exported() const { return item_.Exported() && menu_.Exported(); }
    void RegisterWithWatcher();
    void NoticeMissingHost();
    controls::TPopupMenu* Menu() const;

    controls::TTrayIcon& tray_;
    ObjectRef<GDBusConnection> bus_;
    std::string busName_;
    unsigned nameOwner_ = 0;
    unsigned watcherWatch_ = 0;
    // The watcher's unique bus name while it runs, and the one the exported
    // item was registered with: each watcher hears of the item once.
    std::string watcherOwner_;
    std::string registeredWith_;
    // Cancels the D-Bus calls still under way when the peer goes.
    ObjectRef<GCancellable> cancellable_;
    bool noticeShown_ = false;
    std::map<controls::TrayTimer, unsigned> timers_;
    DeferredCalls deferred_;
    // The item reports to the logic, which comes last: it adds the icon as
    // soon as it is built.
    StatusNotifierItem item_;
    DbusMenuExporter menu_;
    controls::TrayIconLogic logic_;
};

}  // namespace velora::gtk
