#include "gtk/tray/DbusMenuExporter.h"

#include <gio/gio.h>

#include <string>
#include <utility>

#include "DbusMenuXml.h"
#include "controls/Menus.h"
#include "gtk/raii/VariantRef.h"
#include "gtk/tray/EmbeddedInterface.h"

namespace velora::gtk {

namespace {

constexpr char kInterface[] = "com.canonical.dbusmenu";

GDBusInterfaceInfo* MenuInterface() {
    static GDBusInterfaceInfo* const info = ParseEmbeddedInterface(kDbusMenuXml, sizeof kDbusMenuXml);
    return info;
}

void CallMenu(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* method,
              GVariant* parameters, GDBusMethodInvocation* invocation, gpointer exporter) {
    static_cast<DbusMenuExporter*>(exporter)->Call(method, parameters, invocation);
}

GVariant* GetMenuProperty(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* property,
                          GError**, gpointer) {
    return DbusMenuExporter::Property(property);
}

const GDBusInterfaceVTable kMenuVTable = {&CallMenu, &GetMenuProperty, nullptr, {}};

// The properties of one menu entry, as dbusmenu names them.
GVariant* EntryProperties(const DbusMenuEntry& entry) {
    GVariantBuilder properties;
    g_variant_builder_init(&properties, G_VARIANT_TYPE("a{sv}"));
    if (entry.id == 0) {
        g_variant_builder_add(&properties, "{sv}", "children-display", g_variant_new_string("submenu"));
    } else if (entry.separator) {
        g_variant_builder_add(&properties, "{sv}", "type", g_variant_new_string("separator"));
    } else {
        g_variant_builder_add(&properties, "{sv}", "label", g_variant_new_string(entry.label.c_str()));
        g_variant_builder_add(&properties, "{sv}", "enabled", g_variant_new_boolean(entry.enabled));
        if (entry.checked) {
            g_variant_builder_add(&properties, "{sv}", "toggle-type", g_variant_new_string("checkmark"));
            g_variant_builder_add(&properties, "{sv}", "toggle-state", g_variant_new_int32(1));
        }
        if (!entry.children.empty())
            g_variant_builder_add(&properties, "{sv}", "children-display", g_variant_new_string("submenu"));
    }
    return g_variant_builder_end(&properties);
}

// (ia{sv}av) for an entry and, `depth` levels down (-1: all), its children.
GVariant* EntryLayout(const std::vector<DbusMenuEntry>& entries, int id, int depth) {
    const DbusMenuEntry& entry = entries[static_cast<std::size_t>(id)];
    GVariantBuilder children;
    g_variant_builder_init(&children, G_VARIANT_TYPE("av"));
    if (depth != 0)
        for (const int child : entry.children)
            g_variant_builder_add(&children, "v", EntryLayout(entries, child, depth < 0 ? -1 : depth - 1));
    return g_variant_new("(i@a{sv}av)", entry.id, EntryProperties(entry), &children);
}

GVariant* EmptyIds() { return g_variant_new_array(G_VARIANT_TYPE_INT32, nullptr, 0); }

}  // namespace

DbusMenuExporter::DbusMenuExporter(GDBusConnection* bus, MenuSource menu) : bus_(bus), menu_(std::move(menu)) {}

bool DbusMenuExporter::Export() {
    return registration_.Register(bus_, kPath, MenuInterface(), &kMenuVTable, this);
}

void DbusMenuExporter::LayoutChanged() {
    if (!Exported()) return;
    ++revision_;
    g_dbus_connection_emit_signal(bus_, nullptr, kPath, kInterface, "LayoutUpdated",
                                  g_variant_new("(ui)", revision_, 0), nullptr);
}

void DbusMenuExporter::Call(std::string_view method, GVariant* parameters, GDBusMethodInvocation* invocation) {
    using Handler = void (DbusMenuExporter::*)(const Request&);
    static constexpr std::pair<std::string_view, Handler> kMethods[] = {
        {"GetLayout", &DbusMenuExporter::GetLayout},
        {"GetGroupProperties", &DbusMenuExporter::GetGroupProperties},
        {"GetProperty", &DbusMenuExporter::GetProperty},
        {"Event", &DbusMenuExporter::Event},
        {"EventGroup", &DbusMenuExporter::EventGroup},
        {"AboutToShow", &DbusMenuExporter::AboutToShow},
        {"AboutToShowGroup", &DbusMenuExporter::AboutToShowGroup},
    };
    for (const auto& [name, handler] : kMethods) {
        if (name != method) continue;
        const controls::TPopupMenu* menu = menu_ ? menu_() : nullptr;
        const std::vector<DbusMenuEntry> entries =
            menu ? DbusMenuEntries(menu->Items()) : std::vector<DbusMenuEntry>(1);
        (this->*handler)(Request{parameters, invocation, entries});
        return;
    }
    g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.DBus.Error.UnknownMethod",
                                               std::string(method).c_str());
}

GVariant* DbusMenuExporter::Property(std::string_view name) {
    if (name == "Version") return g_variant_new_uint32(3);
    if (name == "TextDirection") return g_variant_new_string("ltr");
    if (name == "Status") return g_variant_new_string("normal");
    if (name == "IconThemePath") return g_variant_new_strv(nullptr, 0);
    return nullptr;
}

void DbusMenuExporter::GetLayout(const Request& request) {
    gint parent = 0, depth = -1;
    g_variant_get(request.parameters, "(ii@as)", &parent, &depth, nullptr);
    if (!request.Valid(parent)) parent = 0;
    g_dbus_method_invocation_return_value(
        request.invocation, g_variant_new("(u@(ia{sv}av))", revision_, EntryLayout(request.entries, parent, depth)));
}

void DbusMenuExporter::GetGroupProperties(const Request& request) {
    GVariant* idsValue = nullptr;
    g_variant_get(request.parameters, "(@ai@as)", &idsValue, nullptr);
    const VariantRef ids = VariantRef::Adopt(idsValue);
    GVariantBuilder result;
    g_variant_builder_init(&result, G_VARIANT_TYPE("a(ia{sv})"));
    GVariantIter iter;
    g_variant_iter_init(&iter, ids.Get());
    gint id = 0;
    while (g_variant_iter_next(&iter, "i", &id))
        if (request.Valid(id))
            g_variant_builder_add(&result, "(i@a{sv})", id,
                                  EntryProperties(request.entries[static_cast<std::size_t>(id)]));
    g_dbus_method_invocation_return_value(request.invocation,
                                          g_variant_new("(@a(ia{sv}))", g_variant_builder_end(&result)));
}

void DbusMenuExporter::GetProperty(const Request& request) {
    gint id = 0;
    const gchar* name = nullptr;
    g_variant_get(request.parameters, "(i&s)", &id, &name);
    VariantRef value;
    if (request.Valid(id)) {
        const VariantRef properties = VariantRef::Sink(EntryProperties(request.entries[static_cast<std::size_t>(id)]));
        value = VariantRef::Adopt(g_variant_lookup_value(properties.Get(), name, nullptr));
    }
    if (!value) {
        g_dbus_method_invocation_return_dbus_error(request.invocation, "com.canonical.dbusmenu.Error",
                                                   "no such property");
        return;
    }
    g_dbus_method_invocation_return_value(request.invocation, g_variant_new("(v)", value.Get()));
}

void DbusMenuExporter::Event(const Request& request) {
    gint id = 0;
    const gchar* event = nullptr;
    g_variant_get(request.parameters, "(i&svu)", &id, &event, nullptr, nullptr);
    g_dbus_method_invocation_return_value(request.invocation, nullptr);
    Clicked(request, id, event);
}

void DbusMenuExporter::EventGroup(const Request& request) {
    GVariant* eventsValue = nullptr;
    g_variant_get(request.parameters, "(@a(isvu))", &eventsValue);
    const VariantRef events = VariantRef::Adopt(eventsValue);
    std::vector<std::pair<int, std::string>> valid;
    GVariantBuilder errors;
    g_variant_builder_init(&errors, G_VARIANT_TYPE("ai"));
    GVariantIter iter;
    g_variant_iter_init(&iter, events.Get());
    gint id = 0;
    const gchar* event = nullptr;
    while (g_variant_iter_next(&iter, "(i&svu)", &id, &event, nullptr, nullptr)) {
        if (request.Valid(id)) {
            valid.emplace_back(id, event);
        } else {
            g_variant_builder_add(&errors, "i", id);
        }
    }
    g_dbus_method_invocation_return_value(request.invocation, g_variant_new("(@ai)", g_variant_builder_end(&errors)));
    for (const auto& [entry, name] : valid) Clicked(request, entry, name);
}

void DbusMenuExporter::AboutToShow(const Request& request) {
    g_dbus_method_invocation_return_value(request.invocation, g_variant_new("(b)", FALSE));
}

void DbusMenuExporter::AboutToShowGroup(const Request& request) {
    g_dbus_method_invocation_return_value(request.invocation, g_variant_new("(@ai@ai)", EmptyIds(), EmptyIds()));
}

void DbusMenuExporter::Clicked(const Request& request, int id, std::string_view event) {
    if (event != "clicked" || !request.Valid(id)) return;
    const DbusMenuEntry& entry = request.entries[static_cast<std::size_t>(id)];
    if (!entry.item || entry.separator || !entry.enabled || !entry.children.empty()) return;
    controls::TMenuItem* item = entry.item;
    deferred_.Later([this, item] {
        // The entry may have gone meanwhile (the menu was rebuilt).
        const controls::TPopupMenu* now = menu_ ? menu_() : nullptr;
        if (now == nullptr) return;
        for (const DbusMenuEntry& current : DbusMenuEntries(now->Items()))
            if (current.item == item) {
                item->Click();
                return;
            }
    });
}

}  // namespace velora::gtk
