// The least a GTK program must do to sit in the notification area: open the
// display, export a StatusNotifierItem with its icon on the session bus under
// the name the protocol gives it, and register it with the watcher. The
// Linux program's start and idle cost are measured against this one.
#include <gio/gio.h>
#include <gtk/gtk.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

constexpr char kItemPath[] = "/StatusNotifierItem";
constexpr char kWatcher[] = "org.kde.StatusNotifierWatcher";
constexpr char kIntrospection[] = R"xml(<node>
  <interface name="org.kde.StatusNotifierItem">
    <property name="Category" type="s" access="read"/>
    <property name="Id" type="s" access="read"/>
    <property name="Title" type="s" access="read"/>
    <property name="Status" type="s" access="read"/>
    <property name="IconPixmap" type="a(iiay)" access="read"/>
    <method name="Activate"><arg type="i" direction="in"/><arg type="i" direction="in"/></method>
  </interface>
</node>)xml";
constexpr int kIconSize = 22;

// One green square, 32-bit ARGB in network byte order as the protocol wants it.
GVariant* IconPixmap() {
    std::vector<guchar> argb;
    for (int i = 0; i < kIconSize * kIconSize; ++i) argb.insert(argb.end(), {255, 0x1F, 0x7A, 0x4D});
    GVariantBuilder pixmaps;
    g_variant_builder_init(&pixmaps, G_VARIANT_TYPE("a(iiay)"));
    g_variant_builder_add(&pixmaps, "(ii@ay)", kIconSize, kIconSize,
                          g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, argb.data(), argb.size(), 1));
    return g_variant_builder_end(&pixmaps);
}

GVariant* ItemProperty(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* name, GError**,
                       gpointer) {
    const std::string property = name;
    if (property == "Category") return g_variant_new_string("ApplicationStatus");
    if (property == "Id") return g_variant_new_string("bench-bare-gtk-tray");
    if (property == "Title") return g_variant_new_string("bare tray");
    if (property == "Status") return g_variant_new_string("Active");
    if (property == "IconPixmap") return IconPixmap();
    return nullptr;
}

void ItemCall(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant*,
              GDBusMethodInvocation* invocation, gpointer) {
    g_dbus_method_invocation_return_value(invocation, nullptr);
}

const GDBusInterfaceVTable kVTable = {&ItemCall, &ItemProperty, nullptr, {}};

}  // namespace

int main(int argc, char** argv) {
    if (!gtk_init_check(&argc, &argv)) return 1;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!bus) return 1;
    GDBusNodeInfo* info = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
    if (!g_dbus_connection_register_object(bus, kItemPath, info->interfaces[0], &kVTable, nullptr, nullptr, nullptr))
        return 1;
    const std::string name = "org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-1";
    g_bus_own_name_on_connection(bus, name.c_str(), G_BUS_NAME_OWNER_FLAGS_NONE, nullptr, nullptr, nullptr, nullptr);
    // Sent after the name request, so the watcher finds the name owned.
    g_dbus_connection_call(bus, kWatcher, "/StatusNotifierWatcher", kWatcher, "RegisterStatusNotifierItem",
                           g_variant_new("(s)", name.c_str()), nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START, -1, nullptr,
                           nullptr, nullptr);
    gtk_main();
    return 0;
}
