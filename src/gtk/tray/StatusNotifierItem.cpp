#include "gtk/tray/StatusNotifierItem.h"

#include <gio/gio.h>
#include <gtk/gtk.h>

#include <string_view>
#include <vector>

#include "StatusNotifierItemXml.h"
#include "app/uVars.h"
#include "gtk/ProgramIcon.h"
#include "gtk/raii/ObjectRef.h"
#include "gtk/tray/EmbeddedInterface.h"

namespace velora::gtk {

namespace {

constexpr char kInterface[] = "org.kde.StatusNotifierItem";

GDBusInterfaceInfo* ItemInterface() {
    static GDBusInterfaceInfo* const info =
        ParseEmbeddedInterface(kStatusNotifierItemXml, sizeof kStatusNotifierItemXml);
    return info;
}

void CallItem(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* method,
              GVariant* parameters, GDBusMethodInvocation* invocation, gpointer item) {
    static_cast<StatusNotifierItem*>(item)->Call(method, parameters, invocation);
}

GVariant* GetItemProperty(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* property,
                          GError**, gpointer item) {
    return static_cast<const StatusNotifierItem*>(item)->Property(property);
}

const GDBusInterfaceVTable kItemVTable = {&CallItem, &GetItemProperty, nullptr, {}};

// Images as the protocol wants them: 32-bit ARGB in network byte order.
GVariant* PixmapOf(GdkPixbuf* image) {
    const int width = gdk_pixbuf_get_width(image), height = gdk_pixbuf_get_height(image);
    const int stride = gdk_pixbuf_get_rowstride(image), channels = gdk_pixbuf_get_n_channels(image);
    const guchar* pixels = gdk_pixbuf_get_pixels(image);
    std::vector<guchar> argb;
    argb.reserve(static_cast<std::size_t>(width * height * 4));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const guchar* p = pixels + y * stride + x * channels;
            argb.push_back(channels == 4 ? p[3] : 255);
            argb.push_back(p[0]);
            argb.push_back(p[1]);
            argb.push_back(p[2]);
        }
    }
    GVariant* bytes = g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, argb.data(), argb.size(), 1);
    return g_variant_new("(ii@ay)", width, height, bytes);
}

GVariant* EmptyPixmaps() { return g_variant_new_array(G_VARIANT_TYPE("(iiay)"), nullptr, 0); }

// The program's icon at the sizes hosts ask for.
GVariant* ProgramIconPixmaps() {
    GVariantBuilder pixmaps;
    g_variant_builder_init(&pixmaps, G_VARIANT_TYPE("a(iiay)"));
    for (const int size : {16, 22, 24, 32, 48}) {
        const ObjectRef<GdkPixbuf> image = ProgramIcon(size);
        if (image) g_variant_builder_add_value(&pixmaps, PixmapOf(image.Get()));
    }
    return g_variant_builder_end(&pixmaps);
}

}  // namespace

StatusNotifierItem::StatusNotifierItem(GDBusConnection* bus, controls::TrayEvents& events, std::string menuPath)
    : bus_(bus), events_(events), menuPath_(std::move(menuPath)) {}

bool StatusNotifierItem::Export() {
    return registration_.Register(bus_, kPath, ItemInterface(), &kItemVTable, this);
}

void StatusNotifierItem::EmitSignal(const char* signal) {
    if (Exported()) g_dbus_connection_emit_signal(bus_, nullptr, kPath, kInterface, signal, nullptr, nullptr);
}

void StatusNotifierItem::Call(const char* method, GVariant* parameters, GDBusMethodInvocation* invocation) {
    // Answered first: what the call starts may show a message box or a menu.
    g_dbus_method_invocation_return_value(invocation, nullptr);
    const std::string_view name(method);
    if (name != "Activate" && name != "ContextMenu") {
        // SecondaryActivate (a middle click) and Scroll do nothing, as the
        // middle button and the wheel do on Windows.
        return;
    }
    controls::TrayPoint at;
    g_variant_get(parameters, "(ii)", &at.x, &at.y);
    if (name == "Activate") {
        deferred_.Later([this, at] { events_.Activated({component::mbLeft, {}, at}); });
    } else {
        deferred_.Later([this, at] { events_.ContextMenuRequested(at); });
    }
}

GVariant* StatusNotifierItem::Property(const char* name) const {
    const std::string_view property(name);
    if (property == "Category") return g_variant_new_string("ApplicationStatus");
    if (property == "Id") return g_variant_new_string("velora-desktop");
    if (property == "Title") return g_variant_new_string(app::AppTitle);
    if (property == "Status") return g_variant_new_string("Active");
    if (property == "WindowId") return g_variant_new_int32(0);
    if (property == "IconPixmap") return ProgramIconPixmaps();
    if (property == "OverlayIconPixmap" || property == "AttentionIconPixmap") return EmptyPixmaps();
    if (property == "ToolTip") return ToolTip();
    if (property == "ItemIsMenu") return g_variant_new_boolean(FALSE);
    if (property == "Menu") return g_variant_new_object_path(menuPath_.c_str());
    // The icon names and the attention movie: none.
    return g_variant_new_string("");
}

GVariant* StatusNotifierItem::ToolTip() const {
    return g_variant_new("(s@a(iiay)ss)", "", EmptyPixmaps(), tip_.c_str(), "");
}

}  // namespace velora::gtk
