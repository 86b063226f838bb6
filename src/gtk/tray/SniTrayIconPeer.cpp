#include "gtk/tray/SniTrayIconPeer.h"

#include <gio/gio.h>
#include <gtk/gtk.h>
#include <unistd.h>

#include "app/uModuleMain.h"
#include "app/uVars.h"
#include "i18n/LanguageSelection.h"
#include "platform/Desktop.h"
#include "gtk/AnsiText.h"
#include "gtk/ProgramIcon.h"
#include "gtk/controls/GtkWidgetPeer.h"
#include "gtk/tray/DbusMenuLayout.h"
#include "controls/Menus.h"
#include "controls/TrayIcon.h"

namespace velora::gtk {

namespace {

constexpr char kItemPath[] = "/StatusNotifierItem";
constexpr char kMenuPath[] = "/MenuBar";
constexpr char kWatcherName[] = "org.kde.StatusNotifierWatcher";
constexpr char kWatcherPath[] = "/StatusNotifierWatcher";

constexpr char kIntrospection[] = R"xml(<node>
  <interface name="org.kde.StatusNotifierItem">
    <property name="Category" type="s" access="read"/>
    <property name="Id" type="s" access="read"/>
    <property name="Title" type="s" access="read"/>
    <property name="Status" type="s" access="read"/>
    <property name="WindowId" type="i" access="read"/>
    <property name="IconName" type="s" access="read"/>
    <property name="IconPixmap" type="a(iiay)" access="read"/>
    <property name="OverlayIconName" type="s" access="read"/>
    <property name="OverlayIconPixmap" type="a(iiay)" access="read"/>
    <property name="AttentionIconName" type="s" access="read"/>
    <property name="AttentionIconPixmap" type="a(iiay)" access="read"/>
    <property name="AttentionMovieName" type="s" access="read"/>
    <property name="ToolTip" type="(sa(iiay)ss)" access="read"/>
    <property name="ItemIsMenu" type="b" access="read"/>
    <property name="Menu" type="o" access="read"/>
    <method name="ContextMenu"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="Activate"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="SecondaryActivate"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="Scroll"><arg name="delta" type="i" direction="in"/><arg name="orientation" type="s" direction="in"/></method>
    <signal name="NewTitle"/>
    <signal name="NewIcon"/>
    <signal name="NewAttentionIcon"/>
    <signal name="NewOverlayIcon"/>
    <signal name="NewToolTip"/>
    <signal name="NewStatus"><arg name="status" type="s"/></signal>
  </interface>
  <interface name="com.canonical.dbusmenu">
    <property name="Version" type="u" access="read"/>
    <property name="TextDirection" type="s" access="read"/>
    <property name="Status" type="s" access="read"/>
    <property name="IconThemePath" type="as" access="read"/>
    <method name="GetLayout">
      <arg type="i" name="parentId" direction="in"/>
      <arg type="i" name="recursionDepth" direction="in"/>
      <arg type="as" name="propertyNames" direction="in"/>
      <arg type="u" name="revision" direction="out"/>
      <arg type="(ia{sv}av)" name="layout" direction="out"/>
    </method>
    <method name="GetGroupProperties">
      <arg type="ai" name="ids" direction="in"/>
      <arg type="as" name="propertyNames" direction="in"/>
      <arg type="a(ia{sv})" name="properties" direction="out"/>
    </method>
    <method name="GetProperty">
      <arg type="i" name="id" direction="in"/>
      <arg type="s" name="name" direction="in"/>
      <arg type="v" name="value" direction="out"/>
    </method>
    <method name="Event">
      <arg type="i" name="id" direction="in"/>
      <arg type="s" name="eventId" direction="in"/>
      <arg type="v" name="data" direction="in"/>
      <arg type="u" name="timestamp" direction="in"/>
    </method>
    <method name="EventGroup">
      <arg type="a(isvu)" name="events" direction="in"/>
      <arg type="ai" name="idErrors" direction="out"/>
    </method>
    <method name="AboutToShow">
      <arg type="i" name="id" direction="in"/>
      <arg type="b" name="needUpdate" direction="out"/>
    </method>
    <method name="AboutToShowGroup">
      <arg type="ai" name="ids" direction="in"/>
      <arg type="ai" name="updatesNeeded" direction="out"/>
      <arg type="ai" name="idErrors" direction="out"/>
    </method>
    <signal name="ItemsPropertiesUpdated">
      <arg type="a(ia{sv})" name="updatedProps"/>
      <arg type="a(ias)" name="removedProps"/>
    </signal>
    <signal name="LayoutUpdated">
      <arg type="u" name="revision"/>
      <arg type="i" name="parent"/>
    </signal>
    <signal name="ItemActivationRequested">
      <arg type="i" name="id"/>
      <arg type="u" name="timestamp"/>
    </signal>
  </interface>
</node>)xml";

GDBusNodeInfo* Introspection() {
    static GDBusNodeInfo* info = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
    return info;
}

void ItemCall(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* method, GVariant* parameters,
              GDBusMethodInvocation* invocation, gpointer self) {
    static_cast<SniTrayIconPeer*>(self)->ItemMethod(method, parameters, invocation);
}

GVariant* ItemGet(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* property, GError**,
                  gpointer self) {
    return static_cast<SniTrayIconPeer*>(self)->ItemProperty(property);
}

void MenuCall(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* method, GVariant* parameters,
              GDBusMethodInvocation* invocation, gpointer self) {
    static_cast<SniTrayIconPeer*>(self)->MenuMethod(method, parameters, invocation);
}

GVariant* MenuGet(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* property, GError**,
                  gpointer self) {
    return static_cast<SniTrayIconPeer*>(self)->MenuProperty(property);
}

const GDBusInterfaceVTable kItemVTable = {&ItemCall, &ItemGet, nullptr, {}};
const GDBusInterfaceVTable kMenuVTable = {&MenuCall, &MenuGet, nullptr, {}};

// The properties of one menu entry, as dbusmenu names them.
GVariant* EntryProperties(const DbusMenuEntry& entry) {
    GVariantBuilder properties;
    g_variant_builder_init(&properties, G_VARIANT_TYPE("a{sv}"));
    if (entry.id == 0) {
        g_variant_builder_add(&properties, "{sv}", "children-display", g_variant_new_string("submenu"));
    } else if (entry.separator) {
        g_variant_builder_add(&properties, "{sv}", "type", g_variant_new_string("separator"));
    } else {
        g_variant_builder_add(&properties, "{sv}", "label", g_variant_new_string(entry.label.c_str()));
        g_variant_builder_add(&properties, "{sv}", "enabled", g_variant_new_boolean(entry.enabled));
        if (entry.checked) {
            g_variant_builder_add(&properties, "{sv}", "toggle-type", g_variant_new_string("checkmark"));
            g_variant_builder_add(&properties, "{sv}", "toggle-state", g_variant_new_int32(1));
        }
        if (!entry.children.empty())
            g_variant_builder_add(&properties, "{sv}", "children-display", g_variant_new_string("submenu"));
    }
    return g_variant_builder_end(&properties);
}

// (ia{sv}av) for an entry and, `depth` levels down (-1: all), its children.
GVariant* EntryLayout(const std::vector<DbusMenuEntry>& entries, int id, int depth) {
    const DbusMenuEntry& entry = entries[static_cast<std::size_t>(id)];
    GVariantBuilder children;
    g_variant_builder_init(&children, G_VARIANT_TYPE("av"));
    if (depth != 0)
        for (const int child : entry.children)
            g_variant_builder_add(&children, "v", EntryLayout(entries, child, depth < 0 ? -1 : depth - 1));
    return g_variant_new("(i@a{sv}av)", entry.id, EntryProperties(entry), &children);
}

// Images as the protocol wants them: 32-bit ARGB in network byte order.
GVariant* PixmapOf(GdkPixbuf* image) {
    const int width = gdk_pixbuf_get_width(image), height = gdk_pixbuf_get_height(image);
    const int stride = gdk_pixbuf_get_rowstride(image), channels = gdk_pixbuf_get_n_channels(image);
    const guchar* pixels = gdk_pixbuf_get_pixels(image);
    std::vector<guchar> argb;
    argb.reserve(static_cast<std::size_t>(width * height * 4));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const guchar* p = pixels + y * stride + x * channels;
            argb.push_back(channels == 4 ? p[3] : 255);
            argb.push_back(p[0]);
            argb.push_back(p[1]);
            argb.push_back(p[2]);
        }
    }
    GVariant* bytes = g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, argb.data(), argb.size(), 1);
    return g_variant_new("(ii@ay)", width, height, bytes);
}

GVariant* EmptyPixmaps() { return g_variant_new_array(G_VARIANT_TYPE("(iiay)"), nullptr, 0); }

}  // namespace

SniTrayIconPeer::SniTrayIconPeer(controls::TTrayIcon& tray, const GtkPeerContext&)
    : tray_(tray),
      bus_(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr)),
      busName_("org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-1"),
      cancellable_(g_cancellable_new()),
      logic_(tray, *this) {
    if (bus_) {
        watcherWatch_ = g_bus_watch_name_on_connection(
            bus_, kWatcherName, G_BUS_NAME_WATCHER_FLAGS_NONE,
            [](GDBusConnection*, const gchar*, const gchar* owner, gpointer self) {
                static_cast<SniTrayIconPeer*>(self)->WatcherAppeared(owner);
            },
            [](GDBusConnection*, const gchar*, gpointer self) {
                static_cast<SniTrayIconPeer*>(self)->WatcherVanished();
            },
            this, nullptr);
    }
    logic_.Loaded();
}

SniTrayIconPeer::~SniTrayIconPeer() {
    *alive_ = false;
    logic_.Destroy();
    for (const auto& [timer, source] : timers_) g_source_remove(source);
    if (watcherWatch_) g_bus_unwatch_name(watcherWatch_);
    Unexport();
    g_cancellable_cancel(cancellable_);
    g_object_unref(cancellable_);
    if (bus_) g_object_unref(bus_);
}

void SniTrayIconPeer::Later(std::function<void()> action) {
    struct Work {
        std::shared_ptr<bool> alive;
        std::function<void()> action;
    };
    auto* work = new Work{alive_, std::move(action)};
    g_idle_add_full(
        G_PRIORITY_DEFAULT,
        [](gpointer data) -> gboolean {
            auto* item = static_cast<Work*>(data);
            if (*item->alive) Guarded(item->action);
            return G_SOURCE_REMOVE;
        },
        work, [](gpointer data) { delete static_cast<Work*>(data); });
}

controls::TPopupMenu* SniTrayIconPeer::Menu() const {
    return tray_.PopupMenu() ? tray_.PopupMenu() : tray_.DropDownMenu();
}

// ---- The notification-area calls ----------------------------------------------

bool SniTrayIconPeer::NotifyIcon(controls::TrayOperation operation, unsigned flags,
                                 const controls::TrayRecord& record) {
    tip_ = ToUtf8(record.tip);
    switch (operation) {
        case controls::TrayOperation::Add:
            Export();
            return exported_;
        case controls::TrayOperation::Modify:
            if (flags & controls::kTrayFlagIcon) EmitItemSignal("NewIcon", nullptr);
            if (flags & controls::kTrayFlagTip) EmitItemSignal("NewToolTip", nullptr);
            return exported_;
        case controls::TrayOperation::Delete:
            Unexport();
            return true;
    }
    return false;
}

void SniTrayIconPeer::Export() {
    if (exported_ || !bus_) return;
    GDBusNodeInfo* info = Introspection();
    itemObject_ = g_dbus_connection_register_object(bus_, kItemPath, info->interfaces[0], &kItemVTable, this,
                                                    nullptr, nullptr);
    menuObject_ = g_dbus_connection_register_object(bus_, kMenuPath, info->interfaces[1], &kMenuVTable, this,
                                                    nullptr, nullptr);
    nameOwner_ = g_bus_own_name_on_connection(bus_, busName_.c_str(), G_BUS_NAME_OWNER_FLAGS_NONE, nullptr, nullptr,
                                              nullptr, nullptr);
    exported_ = itemObject_ != 0 && menuObject_ != 0;
    RegisterWithWatcher();
}

void SniTrayIconPeer::Unexport() {
    if (!bus_) return;
    if (itemObject_) g_dbus_connection_unregister_object(bus_, itemObject_);
    if (menuObject_) g_dbus_connection_unregister_object(bus_, menuObject_);
    if (nameOwner_) g_bus_unown_name(nameOwner_);
    itemObject_ = menuObject_ = nameOwner_ = 0;
    exported_ = false;
    registeredWith_.clear();
}

// The watcher tells the hosts about the item, once for each watcher: the
// exported item is registered when the watcher is seen, or at once when it
// is known already. The call is sent after the name request, so the watcher
// finds the name owned.
void SniTrayIconPeer::RegisterWithWatcher() {
    if (!exported_ || watcherOwner_.empty() || registeredWith_ == watcherOwner_) return;
    registeredWith_ = watcherOwner_;
    g_dbus_connection_call(bus_, kWatcherName, kWatcherPath, kWatcherName, "RegisterStatusNotifierItem",
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
    g_dbus_connection_call(
        bus_, kWatcherName, kWatcherPath, "org.freedesktop.DBus.Properties", "Get",
        g_variant_new("(ss)", kWatcherName, "IsStatusNotifierHostRegistered"), G_VARIANT_TYPE("(v)"),
        G_DBUS_CALL_FLAGS_NO_AUTO_START, -1, cancellable_,
        [](GObject* source, GAsyncResult* result, gpointer self) {
            GError* error = nullptr;
            GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
            // Cancelled: the peer is gone.
            const bool cancelled = error && g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
            bool registered = true;
            if (reply) {
                GVariant* value = nullptr;
                g_variant_get(reply, "(v)", &value);
                if (value && g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN))
                    registered = g_variant_get_boolean(value);
                if (value) g_variant_unref(value);
                g_variant_unref(reply);
            }
            if (error) g_error_free(error);
            if (cancelled) return;
            auto* peer = static_cast<SniTrayIconPeer*>(self);
            Guarded([peer, registered] { peer->HostRegisteredKnown(registered); });
        },
        this);
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
    Later([] {
        std::string text;
        if (app::moduleMain) text = app::moduleMain->translator().LookupText("messages", "noTrayHost");
        if (text.empty())
            text = "Dieser Desktop zeigt keine Symbole von Programmen im Infobereich an. %sAPP_NAME l\xE4uft "
                   "weiter: Starten Sie %sAPP_NAME erneut, um seine Seiten zu \xF6" "ffnen.";
        text = i18n::FillBreak(i18n::FillAppName(text, app::AppTitle));
        if (app::moduleMain) app::moduleMain->Desktop().ShowMessage(text, app::AppTitle);
    });
}

void SniTrayIconPeer::EmitItemSignal(const char* signal, GVariant* parameters) {
    if (!exported_) {
        if (parameters) g_variant_unref(g_variant_ref_sink(parameters));
        return;
    }
    g_dbus_connection_emit_signal(bus_, nullptr, kItemPath, "org.kde.StatusNotifierItem", signal, parameters,
                                  nullptr);
}

void SniTrayIconPeer::MenuChanged(const controls::TPopupMenu& menu) {
    if (&menu != Menu() || !exported_) return;
    ++menuRevision_;
    g_dbus_connection_emit_signal(bus_, nullptr, kMenuPath, "com.canonical.dbusmenu", "LayoutUpdated",
                                  g_variant_new("(ui)", menuRevision_, 0), nullptr);
}

void SniTrayIconPeer::StartTimer(int timer, unsigned intervalMs) {
    StopTimer(timer);
    struct Tick {
        SniTrayIconPeer* peer;
        std::shared_ptr<bool> alive;
        int timer;
    };
    auto* tick = new Tick{this, alive_, timer};
    timers_[timer] = g_timeout_add_full(
        G_PRIORITY_DEFAULT, intervalMs,
        [](gpointer data) -> gboolean {
            auto* t = static_cast<Tick*>(data);
            if (*t->alive) Guarded([t] { t->peer->logic_.TimerFired(t->timer); });
            return G_SOURCE_CONTINUE;
        },
        tick, [](gpointer data) { delete static_cast<Tick*>(data); });
}

void SniTrayIconPeer::StopTimer(int timer) {
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

controls::TrayPoint SniTrayIconPeer::CursorPosition() const {
    GdkDisplay* display = gdk_display_get_default();
    GdkSeat* seat = display ? gdk_display_get_default_seat(display) : nullptr;
    GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
    int x = 0, y = 0;
    if (pointer) gdk_device_get_position(pointer, nullptr, &x, &y);
    return {x, y};
}

// Hosts that do not read the exported menu ask the item to show it itself.
controls::TMenuItem* SniTrayIconPeer::TrackPopupMenu(controls::TPopupMenu& menu, controls::TrayPoint) {
    GtkWidget* popup = gtk_menu_new();
    controls::TMenuItem* chosen = nullptr;
    const std::vector<DbusMenuEntry> entries = DbusMenuEntries(menu.Items());
    std::map<int, GtkWidget*> shells{{0, popup}};
    for (const DbusMenuEntry& entry : entries) {
        if (entry.id == 0) continue;
        GtkWidget* widget = entry.separator ? gtk_separator_menu_item_new()
                                            : gtk_menu_item_new_with_mnemonic(entry.label.c_str());
        gtk_widget_set_sensitive(widget, entry.enabled);
        if (!entry.children.empty()) {
            shells[entry.id] = gtk_menu_new();
            gtk_menu_item_set_submenu(GTK_MENU_ITEM(widget), shells[entry.id]);
        } else if (!entry.separator) {
            g_object_set_data(G_OBJECT(widget), "velora-item", entry.item);
            g_signal_connect(widget, "activate", G_CALLBACK(+[](GtkMenuItem* item, gpointer result) {
                                 *static_cast<controls::TMenuItem**>(result) = static_cast<controls::TMenuItem*>(
                                     g_object_get_data(G_OBJECT(item), "velora-item"));
                             }),
                             &chosen);
        }
        gtk_menu_shell_append(GTK_MENU_SHELL(shells[entry.parent]), widget);
    }
    gtk_widget_show_all(popup);
    bool open = true;
    g_signal_connect(popup, "deactivate", G_CALLBACK(+[](GtkMenuShell*, gpointer flag) {
                         *static_cast<bool*>(flag) = false;
                     }),
                     &open);
    gtk_menu_popup_at_pointer(GTK_MENU(popup), nullptr);
    // Without a pointer grab (no display focus) the menu does not open.
    if (!gtk_widget_get_visible(popup)) open = false;
    while (open) g_main_context_iteration(nullptr, TRUE);
    // "activate" of the chosen entry comes after "deactivate".
    while (g_main_context_pending(nullptr)) g_main_context_iteration(nullptr, FALSE);
    g_signal_handlers_disconnect_matched(popup, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, &open);
    gtk_widget_destroy(popup);
    return chosen;
}

// ---- The D-Bus side -------------------------------------------------------------

void SniTrayIconPeer::ItemMethod(const std::string& method, GVariant*, GDBusMethodInvocation* invocation) {
    // Answered first: what the call starts may show a message box.
    g_dbus_method_invocation_return_value(invocation, nullptr);
    if (method == "Activate") {
        // The host's primary activation is the Windows double click.
        Later([this] { logic_.Notify(controls::tray_event::kLeftDoubleClick); });
    } else if (method == "ContextMenu") {
        Later([this] { logic_.Notify(controls::tray_event::kContextMenu); });
    }
    // SecondaryActivate (a middle click) and Scroll do nothing, as the
    // middle button and the wheel do on Windows.
}

GVariant* SniTrayIconPeer::ItemProperty(const std::string& property) {
    if (property == "Category") return g_variant_new_string("ApplicationStatus");
    if (property == "Id") return g_variant_new_string("velora-desktop");
    if (property == "Title") return g_variant_new_string(app::AppTitle);
    if (property == "Status") return g_variant_new_string("Active");
    if (property == "WindowId") return g_variant_new_int32(0);
    if (property == "IconName") return g_variant_new_string("");
    if (property == "IconPixmap") return IconPixmaps();
    if (property == "OverlayIconPixmap" || property == "AttentionIconPixmap") return EmptyPixmaps();
    if (property == "ToolTip") return ToolTip();
    if (property == "ItemIsMenu") return g_variant_new_boolean(FALSE);
    if (property == "Menu") return g_variant_new_object_path(kMenuPath);
    return g_variant_new_string("");
}

GVariant* SniTrayIconPeer::IconPixmaps() const {
    GVariantBuilder pixmaps;
    g_variant_builder_init(&pixmaps, G_VARIANT_TYPE("a(iiay)"));
    for (const int size : {16, 22, 24, 32, 48}) {
        if (const auto image = ProgramIcon(size)) g_variant_builder_add_value(&pixmaps, PixmapOf(image.Get()));
    }
    return g_variant_builder_end(&pixmaps);
}

GVariant* SniTrayIconPeer::ToolTip() const {
    return g_variant_new("(s@a(iiay)ss)", "", EmptyPixmaps(), tip_.c_str(), "");
}

void SniTrayIconPeer::MenuMethod(const std::string& method, GVariant* parameters,
                                 GDBusMethodInvocation* invocation) {
    controls::TPopupMenu* menu = Menu();
    const std::vector<DbusMenuEntry> entries = menu ? DbusMenuEntries(menu->Items()) : std::vector<DbusMenuEntry>(1);
    const auto valid = [&entries](int id) { return id >= 0 && id < static_cast<int>(entries.size()); };
    if (method == "GetLayout") {
        gint parent = 0, depth = -1;
        g_variant_get(parameters, "(ii@as)", &parent, &depth, nullptr);
        if (!valid(parent)) parent = 0;
        g_dbus_method_invocation_return_value(
            invocation, g_variant_new("(u@(ia{sv}av))", menuRevision_, EntryLayout(entries, parent, depth)));
    } else if (method == "GetGroupProperties") {
        GVariantIter* ids = nullptr;
        g_variant_get(parameters, "(ai@as)", &ids, nullptr);
        GVariantBuilder result;
        g_variant_builder_init(&result, G_VARIANT_TYPE("a(ia{sv})"));
        gint id = 0;
        while (g_variant_iter_loop(ids, "i", &id))
            if (valid(id))
                g_variant_builder_add(&result, "(i@a{sv})", id, EntryProperties(entries[static_cast<std::size_t>(id)]));
        g_variant_iter_free(ids);
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(@a(ia{sv}))", g_variant_builder_end(&result)));
    } else if (method == "GetProperty") {
        gint id = 0;
        const gchar* name = nullptr;
        g_variant_get(parameters, "(i&s)", &id, &name);
        GVariant* value = nullptr;
        if (valid(id)) {
            GVariant* properties = EntryProperties(entries[static_cast<std::size_t>(id)]);
            value = g_variant_lookup_value(properties, name, nullptr);
            g_variant_unref(g_variant_ref_sink(properties));
        }
        if (!value) {
            g_dbus_method_invocation_return_dbus_error(invocation, "com.canonical.dbusmenu.Error", "no such property");
            return;
        }
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(v)", value));
        g_variant_unref(value);
    } else if (method == "Event" || method == "EventGroup") {
        std::vector<std::pair<int, std::string>> events;
        if (method == "Event") {
            gint id = 0;
            const gchar* event = nullptr;
            g_variant_get(parameters, "(i&svu)", &id, &event, nullptr, nullptr);
            events.emplace_back(id, event);
            g_dbus_method_invocation_return_value(invocation, nullptr);
        } else {
            GVariantIter* iter = nullptr;
            g_variant_get(parameters, "(a(isvu))", &iter);
            gint id = 0;
            const gchar* event = nullptr;
            GVariant* data = nullptr;
            guint32 timestamp = 0;
            GVariantBuilder errors;
            g_variant_builder_init(&errors, G_VARIANT_TYPE("ai"));
            while (g_variant_iter_loop(iter, "(i&svu)", &id, &event, &data, &timestamp)) {
                if (valid(id)) events.emplace_back(id, event);
                else g_variant_builder_add(&errors, "i", id);
            }
            g_variant_iter_free(iter);
            g_dbus_method_invocation_return_value(invocation, g_variant_new("(@ai)", g_variant_builder_end(&errors)));
        }
        // The chosen entry runs once the host has its answer and the menu
        // has closed.
        for (const auto& [id, event] : events) {
            if (event != "clicked" || !valid(id)) continue;
            const DbusMenuEntry& entry = entries[static_cast<std::size_t>(id)];
            if (!entry.item || entry.separator || !entry.enabled || !entry.children.empty()) continue;
            controls::TMenuItem* item = entry.item;
            auto current = [this, item] {
                // The entry may have gone meanwhile (the menu was rebuilt).
                if (controls::TPopupMenu* now = Menu())
                    for (const DbusMenuEntry& e : DbusMenuEntries(now->Items()))
                        if (e.item == item) return true;
                return false;
            };
            Later([item, current] {
                if (current()) item->Click();
            });
        }
    } else if (method == "AboutToShow") {
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(b)", FALSE));
    } else if (method == "AboutToShowGroup") {
        g_dbus_method_invocation_return_value(
            invocation, g_variant_new("(@ai@ai)", g_variant_new_array(G_VARIANT_TYPE_INT32, nullptr, 0),
                                      g_variant_new_array(G_VARIANT_TYPE_INT32, nullptr, 0)));
    } else {
        g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.DBus.Error.UnknownMethod",
                                                   method.c_str());
    }
}

GVariant* SniTrayIconPeer::MenuProperty(const std::string& property) {
    if (property == "Version") return g_variant_new_uint32(3);
    if (property == "TextDirection") return g_variant_new_string("ltr");
    if (property == "Status") return g_variant_new_string("normal");
    if (property == "IconThemePath") return g_variant_new_strv(nullptr, 0);
    return nullptr;
}

}  // namespace velora::gtk
