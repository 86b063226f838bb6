#include "gtk/SingleInstance.h"

#include <gio/gio.h>

#include <exception>

#include "app/InstanceHandOver.h"
#include "gtk/ErrorDisplay.h"
#include "gtk/raii/GlibError.h"
#include "gtk/raii/VariantRef.h"

namespace velora::gtk {

namespace {

// The running program's answer to a later start, whatever its arguments.
void Activated(GApplication*, gpointer) {
    try {
        app::ReceiveSecondInstance();
    } catch (...) {
        ShowException(std::current_exception());
    }
}

// Calls the running program's Activate and waits for its answer, which comes
// once its handler has run, however long that takes (a message box it shows).
bool HandOver(GApplication* application) {
    GDBusConnection* bus = g_application_get_dbus_connection(application);
    if (!bus) return false;
    GlibError error;
    const auto reply = VariantRef::Adopt(g_dbus_connection_call_sync(
        bus, kApplicationId, "/com/velora/Desktop", "org.gtk.Application", "Activate",
        g_variant_new("(@a{sv})", g_variant_new_array(G_VARIANT_TYPE("{sv}"), nullptr, 0)), nullptr,
        G_DBUS_CALL_FLAGS_NONE, G_MAXINT, nullptr, error.Receive()));
    return static_cast<bool>(reply);
}

}  // namespace

SingleInstance::SingleInstance()
    : application_(ObjectRef<GApplication>::Adopt(g_application_new(kApplicationId, G_APPLICATION_DEFAULT_FLAGS))) {
    g_signal_connect(application_.Get(), "activate", G_CALLBACK(&Activated), nullptr);
}

SingleInstance::~SingleInstance() = default;

InstanceCheck SingleInstance::Check() {
    GlibError error;
    // No session bus: nothing to hand over to.
    if (!g_application_register(application_.Get(), nullptr, error.Receive())) return InstanceCheck::GoOn;
    if (!g_application_get_is_remote(application_.Get())) {
        // Held while the program runs; the loop is the program's own.
        g_application_hold(application_.Get());
        return InstanceCheck::GoOn;
    }
    // A running program that does not answer: this one ends all the same,
    // as a start that waited in vain does on Windows.
    HandOver(application_.Get());
    return InstanceCheck::HandedOver;
}

}  // namespace velora::gtk
