#include "gtk/tray/SniTrayIconPeer.h"

#include <gio/gio.h>
#include <gtk/gtk.h>
#include <unistd.h>

#include "app/uModuleMain.h"
#include "app/uVars.h"
#include "controls/Menus.h"
#include "controls/TrayIcon.h"
#include "gtk/AnsiText.h"
#include "gtk/ErrorDisplay.h"
#include "gtk/raii/GlibError.h"
#include "gtk/raii/VariantRef.h"
#include "gtk/tray/GtkTrayMenu.h"
#include "i18n/LanguageSelection.h"
#include "platform/Desktop.h"

namespace velora::gtk {

namespace {

constexpr char kWatcherName[] = "org.kde.StatusNotifierWatcher";
constexpr char kWatcherPath[] = "/StatusNotifierWatcher";

// The watcher's answer whether a host shows the items; a watcher that does
// not say is taken to have one.
void HostRegisteredAnswer(GObject* source, GAsyncResult* result, gpointer peer) {
    GlibError error;
    const VariantRef reply =
        VariantRef::Adopt(g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, error.Receive()));
    // Cancelled: the peer is gone.
    if (error.Matches(G_IO_ERROR, G_IO_ERROR_CANCELLED)) return;
    bool registered = true;
    if (reply) {
        GVariant* valueOut = nullptr;
        g_variant_get(reply.Get(), "(v)", &valueOut);
        const VariantRef value = VariantRef::Adopt(valueOut);
        if (value && g_variant_is_of_type(value.Get(), G_VARIANT_TYPE_BOOLEAN))
            registered = g_variant_get_boolean(value.Get());
    }
    Guarded([peer, registered] { static_cast<SniTrayIconPeer*>(peer)->HostRegisteredKnown(registered); });
}

}  // namespace

SniTrayIconPeer::SniTrayIconPeer(controls::TTrayIcon& tray, const GtkPeerContext&) : SniTrayIconPeer(tray) {}

SniTrayIconPeer::SniTrayIconPeer(controls::TTrayIcon& tray)
    : tray_(tray),
      bus_(ObjectRef<GDBusConnection>::Adopt(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr))),
      busName_("org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-1"),
      cancellable_(ObjectRef<GCancellable>::Adopt(g_cancellable_new())),
      item_(bus_.Get(), logic_, DbusMenuExporter::kPath),
      menu_(bus_.Get(), [this] { return Menu(); }),
      logic_(tray, *this) {
    if (bus_) {
        watcherWatch_ = g_bus_watch_name_on_connection(
            bus_.Get(), kWatcherName, G_BUS_NAME_WATCHER_FLAGS_NONE,
            [](GDBusConnection*, const gchar*, const gchar* owner, gpointer self) {
                Guarded([self, owner] { static_cast<SniTrayIconPeer*>(self)->WatcherAppeared(owner); });
            },
            [](GDBusConnection*, const gchar*, gpointer self) {
                Guarded([self] { static_cast<SniTrayIconPeer*>(self)->WatcherVanished(); });
            },
            this, nullptr);
    }
    logic_.Loaded();
}

SniTrayIconPeer::~SniTrayIconPeer() {
    logic_.Destroy();
    for (const auto& [timer, source] : timers_) g_source_remove(source);
    if (watcherWatch_) g_bus_unwatch_name(watcherWatch_);
    RemoveIcon();
    g_cancellable_cancel(cancellable_.Get());
}

controls::TPopupMenu* SniTrayIconPeer::Menu() const {
    return tray_.PopupMenu() ? tray_.PopupMenu() : tray_.DropDownMenu();
}

// ---- What the logic asks of the system -------------------------------------------

bool SniTrayIconPeer::AddIcon(const controls::TrayRecord& record) {
    item_.SetTip(ToUtf8(record.tip));
    if (Exported() || !bus_) return Exported();
    item_.Export();
    menu_.Export();
    nameOwner_ = g_bus_own_name_on_connection(bus_.Get(), busName_.c_str(), G_BUS_NAME_OWNER_FLAGS_NONE, nullptr,
                                              nullptr, nullptr, nullptr);
    RegisterWithWatcher();
    return Exported();
}

void SniTrayIconPeer::ShowImage(const controls::TrayRecord& record) {
    item_.SetTip(ToUtf8(record.tip));
    item_.IconChanged();
}

void SniTrayIconPeer::ShowTip(const controls::TrayRecord& record) {
    item_.SetTip(ToUtf8(record.tip));
    item_.TipChanged();
}

void SniTrayIconPeer::RemoveIcon() {
    item_.Unexport();
    menu_.Unexport();
    if (nameOwner_) g_bus_unown_name(nameOwner_);
    nameOwner_ = 0;
    registeredWith_.clear();
}

void SniTrayIconPeer::StartTimer(controls::TrayTimer timer, unsigned intervalMs) {
    StopTimer(timer);
    struct Tick {
        SniTrayIconPeer* peer;
        controls::TrayTimer timer;
    };
    // The peer removes its timers before it goes.
    timers_[timer] = g_timeout_add_full(
        G_PRIORITY_DEFAULT, intervalMs,
        [](gpointer data) -> gboolean {
            auto* tick = static_cast<Tick*>(data);
            Guarded([tick] { tick->peer->logic_.TimerFired(tick->timer); });
            return G_SOURCE_CONTINUE;
        },
        new Tick{this, timer}, [](gpointer data) { delete static_cast<Tick*>(data); });
}

void SniTrayIconPeer::StopTimer(controls::TrayTimer timer) {
    const auto found = timers_.find(timer);
    if (found == timers_.end()) return;
    g_source_remove(found->second);
    timers_.erase(found);
}

unsigned SniTrayIconPeer::DoubleClickTime() const {
    gint time = 400;
    if (GtkSettings* settings = gtk_settings_get_default()) g_object_get(settings, "gtk-double-click-time", &time, nullptr);
    return static_cast<unsigned>(time);
}

// Hosts that do not read the exported menu ask the item to show it itself;
// it opens at the pointer.
controls::TMenuItem* SniTrayIconPeer::ShowMenu(controls::TPopupMenu& menu, controls::TrayPoint) {
    return RunTrayMenu(menu);
}

void SniTrayIconPeer::MenuChanged(const controls::TPopupMenu& menu) {
    if (&menu == Menu()) menu_.LayoutChanged();
}

// ---- The watcher --------------------------------------------------------------------

// The watcher tells the hosts about the item, once for each watcher: the
// exported item is registered when the watcher is seen, or at once when it
// is known already. The call is sent after the name request, so the watcher
// finds the name owned.
void SniTrayIconPeer::RegisterWithWatcher() {
    if (!Exported() || watcherOwner_.empty() || registeredWith_ == watcherOwner_) return;
    registeredWith_ = watcherOwner_;
    g_dbus_connection_call(bus_.Get(), kWatcherName, kWatcherPath, kWatcherName, "RegisterStatusNotifierItem",
                           g_variant_new("(s)", busName_.c_str()), nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START, -1,
                           nullptr, nullptr, nullptr);
}

void SniTrayIconPeer::WatcherAppeared(const std::string& owner) {
    // A new watcher (a restarted panel) knows nothing of the icon: as for a
    // re-created taskbar, the icon is added again.
    watcherOwner_ = owner;
    RegisterWithWatcher();
    // Whether a host shows the items comes with the answer; the loop goes on
    // meanwhile.
    g_dbus_connection_call(bus_.Get(), kWatcherName, kWatcherPath, "org.freedesktop.DBus.Properties", "Get",
                           g_variant_new("(ss)", kWatcherName, "IsStatusNotifierHostRegistered"),
                           G_VARIANT_TYPE("(v)"), G_DBUS_CALL_FLAGS_NO_AUTO_START, -1, cancellable_.Get(),
                           &HostRegisteredAnswer, this);
}

void SniTrayIconPeer::HostRegisteredKnown(bool registered) {
    if (!registered) NoticeMissingHost();
}

void SniTrayIconPeer::WatcherVanished() {
    watcherOwner_.clear();
    NoticeMissingHost();
}

// Once per run: the program keeps running and a second start opens the
// send page.
void SniTrayIconPeer::NoticeMissingHost() {
    if (noticeShown_ || !tray_.Active()) return;
    noticeShown_ = true;
    deferred_.Later([] {
        std::string text;
        if (app::moduleMain) text = app::moduleMain->translator().LookupText("messages", "noTrayHost");
        if (text.empty())
            text = "Dieser Desktop zeigt keine Symbole von Programmen im Infobereich an. %sAPP_NAME l\xE4uft "
                   "weiter: Starten Sie %sAPP_NAME erneut, um seine Seiten zu \xF6" "ffnen.";
        text = i18n::FillBreak(i18n::FillAppName(text, app::AppTitle));
        if (app::moduleMain) app::moduleMain->Desktop().ShowMessage(text, app::AppTitle);
    });
}

}  // namespace velora::gtk
