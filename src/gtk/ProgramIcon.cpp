#include "gtk/ProgramIcon.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include "ProgramIconPng.h"

namespace velora::gtk {

GdkPixbuf* ProgramIcon(int size) {
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type("png", nullptr);
    if (!loader) return nullptr;
    gdk_pixbuf_loader_write(loader, kProgramIconPng, sizeof kProgramIconPng, nullptr);
    gdk_pixbuf_loader_close(loader, nullptr);
    GdkPixbuf* image = gdk_pixbuf_loader_get_pixbuf(loader);
    GdkPixbuf* scaled = image ? gdk_pixbuf_scale_simple(image, size, size, GDK_INTERP_BILINEAR) : nullptr;
    g_object_unref(loader);
    return scaled;
}

}  // namespace velora::gtk
