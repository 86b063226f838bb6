#include "gtk/browser/PageNotifications.h"

#include <gio/gio.h>

#include <cstring>
#include <exception>

#include "gtk/ErrorDisplay.h"
#include "gtk/SingleInstance.h"
#include "gtk/raii/GlibError.h"
#include "gtk/raii/VariantRef.h"

namespace velora::gtk {

namespace {

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
constexpr const char* kInterface = "org.freedesktop.Notifications";
// The service's own choice of how long a notification stays.
constexpr gint32 kServiceTimeout = -1;

}  // namespace

PageNotifications::PageNotifications(std::function<void()> clicked)
    : clicked_(std::move(clicked)), cancellable_(ObjectRef<GCancellable>::Adopt(g_cancellable_new())) {
    if (Connect()) return;
    connecting_ = true;
    g_bus_get(G_BUS_TYPE_SESSION, cancellable_.Get(),
              +[](GObject*, GAsyncResult* result, gpointer self) {
                  GlibError error;
                  GDBusConnection* bus = g_bus_get_finish(result, error.Receive());
                  // Cancelled: this object is gone.
                  if (error.Matches(G_IO_ERROR, G_IO_ERROR_CANCELLED)) return;
                  static_cast<PageNotifications*>(self)->Connected(bus);
              },
              this);
}

void PageNotifications::Connected(GDBusConnection* bus) {
    connecting_ = false;
    const std::vector<std::pair<std::string, std::string>> waiting = std::move(waiting_);
    waiting_.clear();
    // Without a session bus nothing is shown.
    if (!bus) return;
    bus_ = ObjectRef<GDBusConnection>::Adopt(bus);
    Subscribe();
    for (const auto& [title, body] : waiting) Send(title, body);
}

PageNotifications::~PageNotifications() {
    // Replies still on their way find the cancellable cancelled and leave
    // this object alone.
    g_cancellable_cancel(cancellable_.Get());
    if (bus_ && subscription_) g_dbus_connection_signal_unsubscribe(bus_.Get(), subscription_);
}

// The bus the program's GApplication is registered on: already connected,
// so nothing here waits.
bool PageNotifications::Connect() {
    if (bus_) return true;
    GApplication* application = g_application_get_default();
    if (!application || !g_application_get_is_registered(application)) return false;
    GDBusConnection* bus = g_application_get_dbus_connection(application);
    if (!bus) return false;
    bus_ = ObjectRef<GDBusConnection>::Share(bus);
    Subscribe();
    return true;
}

void PageNotifications::Subscribe() {
    subscription_ = g_dbus_connection_signal_subscribe(
        bus_.Get(), kService, kInterface, nullptr, kPath, nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
        +[](GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* name, GVariant* parameters,
            gpointer self) { static_cast<PageNotifications*>(self)->Signal(name, parameters); },
        this, nullptr);
}

void PageNotifications::Show(const std::string& title, const std::string& body) {
    if (bus_) {
        Send(title, body);
    } else if (connecting_) {
        waiting_.emplace_back(title, body);
    }
}

void PageNotifications::Send(const std::string& title, const std::string& body) {
    GVariantBuilder actions;
    g_variant_builder_init(&actions, G_VARIANT_TYPE("as"));
    // The default action is the click on the notification itself.
    g_variant_builder_add(&actions, "s", "default");
    g_variant_builder_add(&actions, "s", "");
    GVariantBuilder hints;
    g_variant_builder_init(&hints, G_VARIANT_TYPE("a{sv}"));
    g_variant_builder_add(&hints, "{sv}", "desktop-entry", g_variant_new_string(kApplicationId));
    const gchar* summary = g_utf8_validate(title.c_str(), -1, nullptr) ? title.c_str() : "";
    const gchar* text = g_utf8_validate(body.c_str(), -1, nullptr) ? body.c_str() : "";
    g_dbus_connection_call(
        bus_.Get(), kService, kPath, kInterface, "Notify",
        g_variant_new("(susssasa{sv}i)", "VELORA Desktop", 0u, kApplicationId, summary, text, &actions, &hints,
                      kServiceTimeout),
        G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, -1, cancellable_.Get(),
        +[](GObject* bus, GAsyncResult* result, gpointer self) {
            GlibError error;
            const auto reply =
                VariantRef::Adopt(g_dbus_connection_call_finish(G_DBUS_CONNECTION(bus), result, error.Receive()));
            // No notification service, or this object is gone.
            if (!reply) return;
            guint32 id = 0;
            g_variant_get(reply.Get(), "(u)", &id);
            static_cast<PageNotifications*>(self)->Shown(id);
        },
        this);
}

void PageNotifications::Signal(const char* name, GVariant* parameters) {
    if (std::strcmp(name, "ActionInvoked") == 0 && g_variant_is_of_type(parameters, G_VARIANT_TYPE("(us)"))) {
        guint32 id = 0;
        const gchar* action = nullptr;
        g_variant_get(parameters, "(u&s)", &id, &action);
        if (!shown_.count(id) || std::strcmp(action, "default") != 0) return;
        Guarded(clicked_);
    } else if (std::strcmp(name, "NotificationClosed") == 0 &&
               g_variant_is_of_type(parameters, G_VARIANT_TYPE("(uu)"))) {
        guint32 id = 0, reason = 0;
        g_variant_get(parameters, "(uu)", &id, &reason);
        shown_.erase(id);
    }
}

}  // namespace velora::gtk
