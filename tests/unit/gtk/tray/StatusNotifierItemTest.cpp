// The StatusNotifierItem as a host sees it: its properties, and its calls
// as the tray's events.
#ifdef VELORA_GTK

#include "gtk/tray/StatusNotifierItem.h"

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gtk/ProgramIcon.h"
#include "gtk/tray/PrivateBus.h"

namespace velora::gtk {
namespace {

constexpr char kInterface[] = "org.kde.StatusNotifierItem";

class RecordedEvents : public controls::TrayEvents {
public:
    void Activated(const controls::TrayPointer& p) override {
        log.push_back("activated " + std::to_string(p.button) + " at " + At(p.at));
    }
    void Clicked(const controls::TrayPointer& p) override { log.push_back("clicked at " + At(p.at)); }
    void ContextMenuRequested(controls::TrayPoint at) override { log.push_back("menu at " + At(at)); }
    void PointerMoved() override { log.push_back("moved"); }
    void BalloonClicked() override { log.push_back("balloon"); }

    std::vector<std::string> log;

private:
    static std::string At(controls::TrayPoint at) { return std::to_string(at.x) + "," + std::to_string(at.y); }
};

using Log = std::vector<std::string>;

}  // namespace

TEST(StatusNotifierItem, HostCallsBecomeTrayEvents) {
    testing::PrivateBus bus;
    RecordedEvents events;
    StatusNotifierItem item(bus.Exporter(), events, "/MenuBar");
    ASSERT_TRUE(item.Export());
    const auto call = [&bus](const char* method, GVariant* parameters) {
        return static_cast<bool>(bus.Call(StatusNotifierItem::kPath, kInterface, method, parameters));
    };
    EXPECT_TRUE(call("Activate", g_variant_new("(ii)", 3, 4)));
    EXPECT_TRUE(call("ContextMenu", g_variant_new("(ii)", 5, 6)));
    bus.RunPending();
    EXPECT_EQ(events.log, (Log{"activated 0 at 3,4", "menu at 5,6"}));

    // The middle button and the wheel do nothing, as on Windows.
    events.log.clear();
    EXPECT_TRUE(call("SecondaryActivate", g_variant_new("(ii)", 1, 1)));
    EXPECT_TRUE(call("Scroll", g_variant_new("(is)", 1, "vertical")));
    bus.RunPending();
    EXPECT_TRUE(events.log.empty());

    // Unexported, the item is gone from the bus.
    item.Unexport();
    GlibError error;
    EXPECT_FALSE(bus.Call(StatusNotifierItem::kPath, kInterface, "Activate", g_variant_new("(ii)", 3, 4), &error));
    EXPECT_TRUE(error);
}

TEST(StatusNotifierItem, PropertiesNameTheProgramItsIconTipAndMenu) {
    testing::PrivateBus bus;
    RecordedEvents events;
    StatusNotifierItem item(bus.Exporter(), events, "/MenuBar");
    ASSERT_TRUE(item.Export());
    const auto text = [&bus](const char* property) {
        const VariantRef value = bus.Get(StatusNotifierItem::kPath, kInterface, property);
        EXPECT_TRUE(value) << property;
        if (!value) return std::string();
        return std::string(g_variant_get_string(value.Get(), nullptr));
    };
    EXPECT_EQ(text("Title"), "VELORA Desktop");
    EXPECT_EQ(text("Id"), "velora-desktop");
    EXPECT_EQ(text("Status"), "Active");
    EXPECT_EQ(text("Menu"), "/MenuBar");
    EXPECT_EQ(text("IconName"), "");

    item.SetTip("VELORA \xC3\xA4");
    const VariantRef tip = bus.Get(StatusNotifierItem::kPath, kInterface, "ToolTip");
    ASSERT_TRUE(tip);
    const gchar* title = nullptr;
    g_variant_get_child(tip.Get(), 2, "&s", &title);
    EXPECT_STREQ(title, "VELORA \xC3\xA4");

    // The program's icon at several sizes, the smallest first, four bytes a
    // pixel.
    const VariantRef pixmaps = bus.Get(StatusNotifierItem::kPath, kInterface, "IconPixmap");
    ASSERT_TRUE(pixmaps);
    ASSERT_GE(g_variant_n_children(pixmaps.Get()), 1u);
    gint width = 0, height = 0;
    GVariant* bytesOut = nullptr;
    g_variant_get_child(pixmaps.Get(), 0, "(ii@ay)", &width, &height, &bytesOut);
    const VariantRef bytes = VariantRef::Adopt(bytesOut);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    gsize size = 0;
    const auto* argb = static_cast<const guchar*>(g_variant_get_fixed_array(bytes.Get(), &size, 1));
    ASSERT_EQ(size, static_cast<gsize>(16 * 16 * 4));
    const ObjectRef<GdkPixbuf> icon = ProgramIcon(16);
    ASSERT_TRUE(icon);
    ASSERT_EQ(gdk_pixbuf_get_n_channels(icon.Get()), 4);
    // The last pixel of the first row: the alpha first, then red, green and
    // blue.
    const guchar* rgba = gdk_pixbuf_get_pixels(icon.Get()) + 15 * 4;
    const guchar* pixel = argb + 15 * 4;
    EXPECT_EQ(pixel[0], rgba[3]);
    EXPECT_EQ(pixel[1], rgba[0]);
    EXPECT_EQ(pixel[2], rgba[1]);
    EXPECT_EQ(pixel[3], rgba[2]);
    const VariantRef overlay = bus.Get(StatusNotifierItem::kPath, kInterface, "OverlayIconPixmap");
    ASSERT_TRUE(overlay);
    EXPECT_EQ(g_variant_n_children(overlay.Get()), 0u);
}

}  // namespace velora::gtk

#endif  // VELORA_GTK
