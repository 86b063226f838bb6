#include "gtk/tray/BusRegistration.h"

#include <gio/gio.h>

namespace velora::gtk {

bool BusRegistration::Register(GDBusConnection* bus, const char* path, GDBusInterfaceInfo* interface,
                               const GDBusInterfaceVTable* vtable, void* target) {
    if (id_ == 0 && bus != nullptr && interface != nullptr) {
        id_ = g_dbus_connection_register_object(bus, path, interface, vtable, target, nullptr, nullptr);
        bus_ = bus;
    }
    return Registered();
}

void BusRegistration::Unregister() {
    if (id_ != 0) g_dbus_connection_unregister_object(bus_, id_);
    id_ = 0;
}

}  // namespace velora::gtk
