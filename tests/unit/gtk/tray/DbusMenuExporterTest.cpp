// The tray menu over com.canonical.dbusmenu, as a host reads and uses it.
#ifdef VELORA_GTK

#include "gtk/tray/DbusMenuExporter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/Form.h"
#include "controls/Menus.h"
#include "gtk/tray/PrivateBus.h"

namespace velora::gtk {
namespace {

constexpr char kInterface[] = "com.canonical.dbusmenu";

// The tray's menu: a hidden entry, a separator, an entry to send, a disabled
// one and a submenu with one entry.
struct TrayMenu {
    TrayMenu() {
        popup = component::CreateComponent<controls::TPopupMenu>(form, "popupTray");
        const auto add = [this](controls::TMenuItem& parent, const char* name, const char* caption) {
            auto* item = component::CreateComponent<controls::TMenuItem>(form, name);
            item->SetCaption(caption);
            item->OnClick = [this, name](component::TComponent*) { clicked.push_back(name); };
            parent.Add(item);
            return item;
        };
        add(popup->Items(), "hidden", "&Hidden")->SetVisible(false);
        add(popup->Items(), "line", "-");
        send = add(popup->Items(), "send", "&SMS senden...");
        add(popup->Items(), "off", "&Aus")->SetEnabled(false);
        more = add(popup->Items(), "more", "&Mehr");
        about = add(*more, "about", "&Info");
    }

    controls::TForm form{nullptr};
    controls::TPopupMenu* popup;
    controls::TMenuItem* send;
    controls::TMenuItem* more;
    controls::TMenuItem* about;
    std::vector<std::string> clicked;
};

std::string StringOf(GVariant* dictionary, const char* key) {
    const VariantRef value = VariantRef::Adopt(g_variant_lookup_value(dictionary, key, G_VARIANT_TYPE_STRING));
    return value ? g_variant_get_string(value.Get(), nullptr) : "";
}

// "id:label" (or "id:separator") of each entry below the layout's root, "("
// and ")" around submenus.
std::string LayoutText(GVariant* layout) {
    std::string text;
    const VariantRef children = VariantRef::Adopt(g_variant_get_child_value(layout, 2));
    for (gsize i = 0; i < g_variant_n_children(children.Get()); ++i) {
        const VariantRef boxed = VariantRef::Adopt(g_variant_get_child_value(children.Get(), i));
        const VariantRef child = VariantRef::Adopt(g_variant_get_variant(boxed.Get()));
        gint id = 0;
        g_variant_get_child(child.Get(), 0, "i", &id);
        const VariantRef properties = VariantRef::Adopt(g_variant_get_child_value(child.Get(), 1));
        const std::string type = StringOf(properties.Get(), "type");
        text += std::to_string(id) + ":" + (type.empty() ? StringOf(properties.Get(), "label") : type) + " ";
        const VariantRef grandChildren = VariantRef::Adopt(g_variant_get_child_value(child.Get(), 2));
        if (g_variant_n_children(grandChildren.Get()) > 0) text += "( " + LayoutText(child.Get()) + ") ";
    }
    return text;
}

}  // namespace

TEST(DbusMenuExporter, LayoutAndPropertiesFollowTheModelAsItIsNow) {
    testing::PrivateBus bus;
    TrayMenu menu;
    DbusMenuExporter exporter(bus.Exporter(), [&menu] { return menu.popup; });
    ASSERT_TRUE(exporter.Export());

    const auto layout = [&bus](int parent, int depth) {
        const VariantRef reply = bus.Call(DbusMenuExporter::kPath, kInterface, "GetLayout",
                                          g_variant_new("(ii@as)", parent, depth, g_variant_new_strv(nullptr, 0)));
        EXPECT_TRUE(reply);
        if (!reply) return std::string();
        guint revision = 0;
        g_variant_get_child(reply.Get(), 0, "u", &revision);
        const VariantRef root = VariantRef::Adopt(g_variant_get_child_value(reply.Get(), 1));
        return std::to_string(revision) + " " + LayoutText(root.Get());
    };
    // Hidden entries are left out; labels carry their mnemonic.
    EXPECT_EQ(layout(0, -1), "1 1:separator 2:_SMS senden... 3:_Aus 4:_Mehr ( 5:_Info ) ");
    EXPECT_EQ(layout(0, 1), "1 1:separator 2:_SMS senden... 3:_Aus 4:_Mehr ");
    EXPECT_EQ(layout(4, -1), "1 5:_Info ");
    // An unknown parent is the root.
    EXPECT_EQ(layout(99, 1), layout(0, 1));

    // A changed menu: a new revision for the host, the new caption at once.
    GlibError error;
    menu.send->SetCaption("&Senden");
    exporter.LayoutChanged();
    EXPECT_EQ(exporter.Revision(), 2u);
    const VariantRef label = bus.Call(DbusMenuExporter::kPath, kInterface, "GetProperty",
                                      g_variant_new("(is)", 2, "label"), &error);
    ASSERT_TRUE(label) << error.Message();
    const VariantRef labelValue = VariantRef::Adopt(g_variant_get_child_value(label.Get(), 0));
    const VariantRef labelText = VariantRef::Adopt(g_variant_get_variant(labelValue.Get()));
    EXPECT_STREQ(g_variant_get_string(labelText.Get(), nullptr), "_Senden");

    // Group properties for the ids that exist only; the disabled entry says so.
    const gint asked[] = {3, 42};
    const VariantRef group = bus.Call(
        DbusMenuExporter::kPath, kInterface, "GetGroupProperties",
        g_variant_new("(@ai@as)", g_variant_new_fixed_array(G_VARIANT_TYPE_INT32, asked, 2, sizeof(gint)),
                      g_variant_new_strv(nullptr, 0)));
    ASSERT_TRUE(group);
    const VariantRef entries = VariantRef::Adopt(g_variant_get_child_value(group.Get(), 0));
    ASSERT_EQ(g_variant_n_children(entries.Get()), 1u);
    gint id = 0;
    GVariant* propertiesOut = nullptr;
    g_variant_get_child(entries.Get(), 0, "(i@a{sv})", &id, &propertiesOut);
    const VariantRef properties = VariantRef::Adopt(propertiesOut);
    EXPECT_EQ(id, 3);
    gboolean enabled = TRUE;
    EXPECT_TRUE(g_variant_lookup(properties.Get(), "enabled", "b", &enabled));
    EXPECT_FALSE(enabled);

    const VariantRef version = bus.Get(DbusMenuExporter::kPath, kInterface, "Version");
    ASSERT_TRUE(version);
    EXPECT_EQ(g_variant_get_uint32(version.Get()), 3u);
}

TEST(DbusMenuExporter, AClickRunsTheEntryLaterWhileItIsStillInTheMenu) {
    testing::PrivateBus bus;
    TrayMenu menu;
    auto exporter = std::make_unique<DbusMenuExporter>(bus.Exporter(), [&menu] { return menu.popup; });
    ASSERT_TRUE(exporter->Export());
    const auto event = [&bus](int id, const char* name) {
        return bus.Call(DbusMenuExporter::kPath, kInterface, "Event",
                        g_variant_new("(isvu)", id, name, g_variant_new_int32(0), 0u));
    };
    EXPECT_TRUE(event(2, "clicked"));
    bus.RunPending();
    EXPECT_EQ(menu.clicked, (std::vector<std::string>{"send"}));

    // Not a click, a separator, a disabled entry, a submenu, no entry: nothing.
    menu.clicked.clear();
    for (const auto& [id, name] : {std::pair{2, "hovered"}, {1, "clicked"}, {3, "clicked"}, {4, "clicked"},
                                   {77, "clicked"}})
        EXPECT_TRUE(event(id, name));
    bus.RunPending();
    EXPECT_TRUE(menu.clicked.empty());

    // A group: unknown ids come back as errors, the others run in turn, each
    // only if it is still in the menu then.
    const auto group = [&bus](std::initializer_list<int> ids) {
        GVariantBuilder events;
        g_variant_builder_init(&events, G_VARIANT_TYPE("a(isvu)"));
        for (const int id : ids) g_variant_builder_add(&events, "(isvu)", id, "clicked", g_variant_new_int32(0), 0u);
        const VariantRef reply =
            bus.Call(DbusMenuExporter::kPath, kInterface, "EventGroup", g_variant_new("(a(isvu))", &events));
        std::vector<int> errors;
        if (!reply) return errors;
        const VariantRef unknown = VariantRef::Adopt(g_variant_get_child_value(reply.Get(), 0));
        for (gsize i = 0; i < g_variant_n_children(unknown.Get()); ++i) {
            gint id = 0;
            g_variant_get_child(unknown.Get(), i, "i", &id);
            errors.push_back(id);
        }
        return errors;
    };
    menu.about->OnClick = [&menu](component::TComponent*) {
        menu.clicked.push_back("about");
        menu.send->SetVisible(false);
    };
    EXPECT_EQ(group({5, 9, 2}), std::vector<int>{9});
    bus.RunPending();
    EXPECT_EQ(menu.clicked, (std::vector<std::string>{"about"}));

    // The exporter gone, the clicks it still had to run are dropped.
    menu.clicked.clear();
    menu.send->SetVisible(true);
    exporter.reset();
    auto later = std::make_unique<DbusMenuExporter>(bus.Exporter(), [&menu] { return menu.popup; });
    ASSERT_TRUE(later->Export());
    menu.about->OnClick = [&menu, &later](component::TComponent*) {
        menu.clicked.push_back("about");
        later.reset();
    };
    EXPECT_TRUE(group({5, 2}).empty());
    bus.RunPending();
    EXPECT_EQ(menu.clicked, (std::vector<std::string>{"about"}));
}

TEST(DbusMenuExporter, UnknownMethodsAndPropertiesAndNoMenuAreAnsweredAsSuch) {
    testing::PrivateBus bus;
    controls::TPopupMenu* shown = nullptr;
    DbusMenuExporter exporter(bus.Exporter(), [&shown] { return shown; });
    ASSERT_TRUE(exporter.Export());

    GlibError error;
    EXPECT_FALSE(bus.Call(DbusMenuExporter::kPath, kInterface, "GetProperty", g_variant_new("(is)", 0, "nope"),
                          &error));
    EXPECT_NE(error.Message().find("no such property"), std::string_view::npos) << error.Message();
    EXPECT_FALSE(bus.Call(DbusMenuExporter::kPath, "org.example.Other", "Anything", nullptr, &error));
    EXPECT_TRUE(error);

    // Without a menu the layout is the root alone, and nothing needs an update.
    const VariantRef layout = bus.Call(DbusMenuExporter::kPath, kInterface, "GetLayout",
                                       g_variant_new("(ii@as)", 0, -1, g_variant_new_strv(nullptr, 0)));
    ASSERT_TRUE(layout);
    const VariantRef root = VariantRef::Adopt(g_variant_get_child_value(layout.Get(), 1));
    EXPECT_EQ(LayoutText(root.Get()), "");
    const VariantRef update = bus.Call(DbusMenuExporter::kPath, kInterface, "AboutToShow", g_variant_new("(i)", 0));
    ASSERT_TRUE(update);
    gboolean needed = TRUE;
    g_variant_get(update.Get(), "(b)", &needed);
    EXPECT_FALSE(needed);

    // Unexported, the object is gone from the bus.
    exporter.Unexport();
    EXPECT_FALSE(bus.Call(DbusMenuExporter::kPath, kInterface, "AboutToShow", g_variant_new("(i)", 0), &error));
}

}  // namespace velora::gtk

#endif  // VELORA_GTK
