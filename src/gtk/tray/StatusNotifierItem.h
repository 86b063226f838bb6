#pragma once
// The StatusNotifierItem object on the session bus, at /StatusNotifierItem:
// its properties (the program's title and icon, the tip, the path of its
// menu), the host's calls reported as the tray's events, and the signals
// that tell the host what changed. The host's primary activation (a click on
// the icon) is the icon's activation, the double click on Windows.

#include <string>

#include "controls/tray/TrayEvents.h"
#include "gtk/tray/BusRegistration.h"
#include "gtk/tray/DeferredCalls.h"

typedef struct _GDBusConnection GDBusConnection;
typedef struct _GDBusMethodInvocation GDBusMethodInvocation;
typedef struct _GVariant GVariant;

namespace velora::gtk {

class StatusNotifierItem {
public:
    static constexpr char kPath[] = "/StatusNotifierItem";

    // `menuPath`: where the menu's object is exported.
    StatusNotifierItem(GDBusConnection* bus, controls::TrayEvents& events, std::string menuPath);
    StatusNotifierItem(const StatusNotifierItem&) = delete;
    StatusNotifierItem& operator=(const StatusNotifierItem&) = delete;

    // Registers the object on the bus; false when the bus refuses.
    bool Export();
    void Unexport() { registration_.Unregister(); }
    bool Exported() const { return registration_.Registered(); }

    // The tip (UTF-8), read by the host after TipChanged.
    void SetTip(std::string tip) { tip_ = std::move(tip); }
    void TipChanged() { EmitSignal("NewToolTip"); }
    void IconChanged() { EmitSignal("NewIcon"); }

    // For the D-Bus dispatch.
    void Call(const char* method, GVariant* parameters, GDBusMethodInvocation* invocation);
    GVariant* Property(const char* name) const;

private:
    void EmitSignal(const char* signal);
    GVariant* ToolTip() const;

    GDBusConnection* bus_;
    controls::TrayEvents& events_;
    std::string menuPath_;
    std::string tip_;
    BusRegistration registration_;
    DeferredCalls deferred_;
};

}  // namespace velora::gtk
