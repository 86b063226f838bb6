#pragma once
// One object registered on a D-Bus connection under a path, taken off the
// bus when its owner goes.

typedef struct _GDBusConnection GDBusConnection;
typedef struct _GDBusInterfaceInfo GDBusInterfaceInfo;
typedef struct _GDBusInterfaceVTable GDBusInterfaceVTable;

namespace velora::gtk {

class BusRegistration {
public:
    BusRegistration() = default;
    ~BusRegistration() { Unregister(); }
    BusRegistration(const BusRegistration&) = delete;
    BusRegistration& operator=(const BusRegistration&) = delete;

    // Registers `interface` at `path`, its calls going to `vtable` with
    // `target`, unless registered already; false when the bus refuses (or
    // there is no bus or interface).
    bool Register(GDBusConnection* bus, const char* path, GDBusInterfaceInfo* interface,
                  const GDBusInterfaceVTable* vtable, void* target);
    void Unregister();
    bool Registered() const { return id_ != 0; }

private:
    GDBusConnection* bus_ = nullptr;
    unsigned id_ = 0;
};

}  // namespace velora::gtk
