#pragma once
// The tray icon on Linux: a StatusNotifierItem on the session bus, with its
// menu exported over com.canonical.dbusmenu, shown by the desktop's
// StatusNotifier host (KDE Plasma, XFCE, Cinnamon, MATE, GNOME with the
// AppIndicator extension, ...). The host's primary activation (a click on
// the icon) stands for the double click on Windows and opens the send page;
// the host shows the menu with the same entries as the Windows menu, and a
// chosen entry runs its Click. What to do when is TrayIconLogic's, as on
// Windows; the item is what the notification-area calls do there.
//
// Where no StatusNotifier host is running (a bare window manager, GNOME
// without the extension), the program says so once and stays reachable from
// a second start, which opens the send page. When a host comes later (the
// watcher appears, as a re-created taskbar on Windows), the icon is added.

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "gtk/GtkControlPeer.h"
#include "controls/tray/TrayIconLogic.h"

typedef struct _GCancellable GCancellable;
typedef struct _GDBusConnection GDBusConnection;
typedef struct _GDBusMethodInvocation GDBusMethodInvocation;
typedef struct _GVariant GVariant;

namespace velora::controls {
class TTrayIcon;
}  // namespace velora::controls

namespace velora::gtk {

class SniTrayIconPeer final : public GtkControlPeer, private controls::TrayShell {
public:
    SniTrayIconPeer(controls::TTrayIcon& tray, const GtkPeerContext& context);
    ~SniTrayIconPeer() override;
    SniTrayIconPeer(const SniTrayIconPeer&) = delete;
    SniTrayIconPeer& operator=(const SniTrayIconPeer&) = delete;

    GtkWidget* Widget() const override { return nullptr; }
    void PropertyChanged(std::string_view property) override { logic_.PropertyChanged(property); }
    void MenuChanged(const controls::TPopupMenu& menu) override;

    // The bus name the item goes by: "org.kde.StatusNotifierItem-<pid>-1".
    const std::string& BusName() const { return busName_; }

    // For the D-Bus dispatch.
    void ItemMethod(const std::string& method, GVariant* parameters, GDBusMethodInvocation* invocation);
    GVariant* ItemProperty(const std::string& property);
    void MenuMethod(const std::string& method, GVariant* parameters, GDBusMethodInvocation* invocation);
    GVariant* MenuProperty(const std::string& property);
    void WatcherAppeared(const std::string& owner);
    void WatcherVanished();
    // The watcher's answer whether a host shows the items.
    void HostRegisteredKnown(bool registered);

private:
    bool NotifyIcon(controls::TrayOperation operation, unsigned flags, const controls::TrayRecord& record) override;
    bool SetIconVersion(const controls::TrayRecord&) override { return true; }
    controls::ShellVersion Version() const override { return {6, 0}; }
    void StartTimer(int timer, unsigned intervalMs) override;
    void StopTimer(int timer) override;
    unsigned DoubleClickTime() const override;
    controls::TrayPoint CursorPosition() const override;
    component::TShiftState ShiftState() const override { return {}; }
    void MakeHiddenWindowForeground() override {}
    controls::TMenuItem* TrackPopupMenu(controls::TPopupMenu& menu, controls::TrayPoint at) override;
    void PostNullMessage() override {}
    // The program has no taskbar button and no application window of its
    // own to hide, minimise or animate on Linux.
    void InstallApplicationHook() override {}
    void RemoveApplicationHook() override {}
    void HideApplicationWindow() override {}
    bool ApplicationMinimized() const override { return false; }
    void MinimizeApplication() override {}
    void AnimateMainWindowToTray() override {}
    void RegisterServiceProcess() override {}

    void Export();
    void Unexport();
    void RegisterWithWatcher();
    void EmitItemSignal(const char* signal, GVariant* parameters);
    void NoticeMissingHost();
    GVariant* IconPixmaps() const;
    GVariant* ToolTip() const;
    controls::TPopupMenu* Menu() const;
    // Runs `action` once the current D-Bus call has been answered.
    void Later(std::function<void()> action);

    controls::TTrayIcon& tray_;
    GDBusConnection* bus_ = nullptr;
    std::string busName_;
    unsigned nameOwner_ = 0;
    unsigned itemObject_ = 0;
    unsigned menuObject_ = 0;
    unsigned watcherWatch_ = 0;
    // The watcher's unique bus name while it runs, and the one the exported
    // item was registered with: each watcher hears of the item once.
    std::string watcherOwner_;
    std::string registeredWith_;
    // Cancels the D-Bus calls still under way when the peer goes.
    GCancellable* cancellable_ = nullptr;
    bool exported_ = false;
    bool noticeShown_ = false;
    unsigned menuRevision_ = 1;
    std::string tip_;
    std::map<int, unsigned> timers_;
    // Work scheduled for later checks it before touching the peer.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    controls::TrayIconLogic logic_;
};

}  // namespace velora::gtk
