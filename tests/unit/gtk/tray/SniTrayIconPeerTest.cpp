// The Linux tray icon as a whole on a bus of its own: registered with the
// watcher (again with a new one), the host's activation and menu reaching
// the model, and switched off, gone from the bus.
#ifdef VELORA_GTK

#include "gtk/tray/SniTrayIconPeer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "component/ControlPeer.h"
#include "controls/Form.h"
#include "controls/Menus.h"
#include "controls/TrayIcon.h"
#include "gtk/tray/PrivateBus.h"

namespace velora::gtk {
namespace {

constexpr char kWatcherXml[] = R"xml(<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  </interface>
</node>)xml";

// The panel's side: the watcher on its connection, noting what registers.
class FakeWatcher {
public:
    explicit FakeWatcher(GDBusConnection* connection) : connection_(connection) {
        GlibError error;
        node_ = g_dbus_node_info_new_for_xml(kWatcherXml, error.Receive());
        static const GDBusInterfaceVTable vtable = {
            [](GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant* parameters,
               GDBusMethodInvocation* invocation, gpointer self) {
                const gchar* name = nullptr;
                g_variant_get(parameters, "(&s)", &name);
                static_cast<FakeWatcher*>(self)->registered.push_back(name);
                g_dbus_method_invocation_return_value(invocation, nullptr);
            },
            [](GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GError**,
               gpointer) -> GVariant* { return g_variant_new_boolean(TRUE); },
            nullptr,
            {}};
        object_ = g_dbus_connection_register_object(connection, "/StatusNotifierWatcher", node_->interfaces[0],
                                                    &vtable, this, nullptr, nullptr);
        name_ = g_bus_own_name_on_connection(
            connection, "org.kde.StatusNotifierWatcher", G_BUS_NAME_OWNER_FLAGS_NONE,
            [](GDBusConnection*, const gchar*, gpointer self) { static_cast<FakeWatcher*>(self)->owned = true; },
            nullptr, this, nullptr);
    }
    ~FakeWatcher() {
        g_bus_unown_name(name_);
        g_dbus_connection_unregister_object(connection_, object_);
        g_dbus_node_info_unref(node_);
        testing::PrivateBus::RunPending();
    }

    std::vector<std::string> registered;
    bool owned = false;

private:
    GDBusConnection* connection_;
    GDBusNodeInfo* node_ = nullptr;
    unsigned object_ = 0;
    unsigned name_ = 0;
};

// The main window's tray icon and menu, its changes handed to the peer as
// the form's window does.
struct TrayOnForm : component::ControlPeer {
    TrayOnForm() {
        form.SetPeer(this);
        popup = component::CreateComponent<controls::TPopupMenu>(form, "popupTray");
        send = component::CreateComponent<controls::TMenuItem>(form, "menuitemSend");
        send->SetCaption("&SMS senden...");
        send->OnClick = [this](component::TComponent*) { happened.push_back("send"); };
        popup->Items().Add(send);
        tray = component::CreateComponent<controls::TTrayIcon>(form, "tray");
        tray->SetActive(true);
        tray->SetHint("VELORA");
        tray->SetPopupMenu(popup);
        tray->SetDropDownMenu(popup);
        tray->OnDblClick = [this](component::TComponent*, component::TMouseButton, component::TShiftState, int x,
                                  int y) {
            happened.push_back("activated at " + std::to_string(x) + "," + std::to_string(y));
        };
    }
    ~TrayOnForm() override { peer.reset(); }
    void PropertyChanged(component::TComponent& component, std::string_view property) override {
        if (peer && &component == tray) peer->PropertyChanged(property);
    }

    controls::TForm form{nullptr};
    controls::TPopupMenu* popup;
    controls::TMenuItem* send;
    controls::TTrayIcon* tray;
    std::unique_ptr<SniTrayIconPeer> peer;
    std::vector<std::string> happened;
};

}  // namespace

TEST(SniTrayIconPeer, RegistersWithEachWatcherAndTheHostReachesTheModel) {
    testing::PrivateBus bus;
    auto watcher = std::make_unique<FakeWatcher>(bus.Host());
    ASSERT_TRUE(testing::PrivateBus::RunUntil([&] { return watcher->owned; }));

    TrayOnForm main;
    main.peer = std::make_unique<SniTrayIconPeer>(*main.tray);
    const std::string name = main.peer->BusName();
    ASSERT_TRUE(testing::PrivateBus::RunUntil([&] { return !watcher->registered.empty(); }));
    EXPECT_EQ(watcher->registered, std::vector<std::string>{name});

    // The host's activation is the double click; its menu runs the entry.
    EXPECT_TRUE(bus.CallOn(name.c_str(), "/StatusNotifierItem", "org.kde.StatusNotifierItem", "Activate",
                           g_variant_new("(ii)", 12, 34)));
    EXPECT_TRUE(bus.CallOn(name.c_str(), "/MenuBar", "com.canonical.dbusmenu", "Event",
                           g_variant_new("(isvu)", 1, "clicked", g_variant_new_int32(0), 0u)));
    testing::PrivateBus::RunPending();
    EXPECT_EQ(main.happened, (std::vector<std::string>{"activated at 12,34", "send"}));
    const VariantRef tip = bus.CallOn(name.c_str(), "/StatusNotifierItem", "org.freedesktop.DBus.Properties", "Get",
                                      g_variant_new("(ss)", "org.kde.StatusNotifierItem", "ToolTip"));
    ASSERT_TRUE(tip);
    GVariant* tipValue = nullptr;
    g_variant_get(tip.Get(), "(v)", &tipValue);
    const VariantRef tipTuple = VariantRef::Adopt(tipValue);
    const gchar* tipText = nullptr;
    g_variant_get_child(tipTuple.Get(), 2, "&s", &tipText);
    EXPECT_STREQ(tipText, "VELORA");

    // A new panel's watcher hears of the icon too.
    watcher.reset();
    const ObjectRef<GDBusConnection> panel = bus.Connect();
    FakeWatcher restarted(panel.Get());
    ASSERT_TRUE(testing::PrivateBus::RunUntil([&] { return !restarted.registered.empty(); }));
    EXPECT_EQ(restarted.registered, std::vector<std::string>{name});

    // Switched off, the item leaves the bus.
    main.tray->SetActive(false);
    GlibError error;
    EXPECT_FALSE(bus.CallOn(name.c_str(), "/StatusNotifierItem", "org.kde.StatusNotifierItem", "Activate",
                            g_variant_new("(ii)", 1, 1), &error));
    EXPECT_TRUE(error);
}

}  // namespace velora::gtk

#endif  // VELORA_GTK
