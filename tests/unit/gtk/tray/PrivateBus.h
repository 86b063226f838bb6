#pragma once
// A session bus of the test's own (a private dbus-daemon) with two
// connections: one that exports objects, one that calls them as a host
// would. Calls are asynchronous and the test's main context runs until the
// answer is there, since the exporting side answers from that same context.
#ifdef VELORA_GTK

#include <gio/gio.h>

#include <gtest/gtest.h>

#include <string>

#include "gtk/raii/GlibError.h"
#include "gtk/raii/ObjectRef.h"
#include "gtk/raii/VariantRef.h"

namespace velora::gtk::testing {

class PrivateBus {
public:
    PrivateBus() : daemon_(ObjectRef<GTestDBus>::Adopt(g_test_dbus_new(G_TEST_DBUS_NONE))) {
        g_test_dbus_up(daemon_.Get());
        exporter_ = Connect();
        host_ = Connect();
    }
    ~PrivateBus() {
        RunPending();
        exporter_.Reset();
        host_.Reset();
        g_test_dbus_down(daemon_.Get());
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    GDBusConnection* Exporter() const { return exporter_.Get(); }
    GDBusConnection* Host() const { return host_.Get(); }

    // The answer to a call from the host's side to the exporting one; a
    // D-Bus error is in `error` then.
    VariantRef Call(const char* path, const char* interface, const char* method, GVariant* parameters,
                    GlibError* error = nullptr) {
        return CallOn(g_dbus_connection_get_unique_name(exporter_.Get()), path, interface, method, parameters,
                      error);
    }
    // The same to the owner of the bus name `destination`.
    VariantRef CallOn(const char* destination, const char* path, const char* interface, const char* method,
                      GVariant* parameters, GlibError* error = nullptr) {
        struct Answer {
            bool done = false;
            VariantRef reply;
            GlibError error;
        } answer;
        g_dbus_connection_call(
            host_.Get(), destination, path, interface, method, parameters,
            nullptr, G_DBUS_CALL_FLAGS_NONE, 5000, nullptr,
            [](GObject* source, GAsyncResult* result, gpointer data) {
                auto* to = static_cast<Answer*>(data);
                to->reply = VariantRef::Adopt(
                    g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, to->error.Receive()));
                to->done = true;
            },
            &answer);
        while (!answer.done) g_main_context_iteration(nullptr, TRUE);
        if (error != nullptr) *error = std::move(answer.error);
        return std::move(answer.reply);
    }

    // A property of an exported object, as the host reads it.
    VariantRef Get(const char* path, const char* interface, const char* property) {
        const VariantRef reply = Call(path, "org.freedesktop.DBus.Properties", "Get",
                                      g_variant_new("(ss)", interface, property));
        if (!reply) return {};
        GVariant* value = nullptr;
        g_variant_get(reply.Get(), "(v)", &value);
        return VariantRef::Adopt(value);
    }

    // Runs what is waiting in the main context (the work calls start later).
    static void RunPending() {
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
    }
    // Runs the main context until `done` holds; false after 5 s.
    template <class Done>
    static bool RunUntil(Done done) {
        const gint64 until = g_get_monotonic_time() + 5 * G_TIME_SPAN_SECOND;
        while (!done()) {
            if (g_get_monotonic_time() > until) return false;
            g_main_context_iteration(nullptr, FALSE);
            g_usleep(1000);
        }
        return true;
    }

    // Another connection to the bus (g_bus_get's session bus is this one too).
    ObjectRef<GDBusConnection> Connect() {
        GlibError error;
        auto connection = ObjectRef<GDBusConnection>::Adopt(g_dbus_connection_new_for_address_sync(
            g_test_dbus_get_bus_address(daemon_.Get()),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, error.Receive()));
        EXPECT_TRUE(connection) << error.Message();
        return connection;
    }

private:
    ObjectRef<GTestDBus> daemon_;
    ObjectRef<GDBusConnection> exporter_;
    ObjectRef<GDBusConnection> host_;
};

}  // namespace velora::gtk::testing

#endif  // VELORA_GTK
