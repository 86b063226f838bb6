#include "gtk/tray/EmbeddedInterface.h"

#include <gio/gio.h>

#include <string>

#include "gtk/raii/GlibError.h"

namespace velora::gtk {

GDBusInterfaceInfo* ParseEmbeddedInterface(const unsigned char* xml, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(xml), size);
    GlibError error;
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(text.c_str(), error.Receive());
    if (node == nullptr) return nullptr;
    GDBusInterfaceInfo* interface =
        node->interfaces && node->interfaces[0] ? g_dbus_interface_info_ref(node->interfaces[0]) : nullptr;
    g_dbus_node_info_unref(node);
    return interface;
}

}  // namespace velora::gtk
