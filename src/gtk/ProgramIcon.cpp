#include "gtk/ProgramIcon.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include "ProgramIconPng.h"

namespace velora::gtk {

ObjectRef<GdkPixbuf> ProgramIcon(int size) {
    const auto loader = ObjectRef<GdkPixbufLoader>::Adopt(gdk_pixbuf_loader_new_with_type("png", nullptr));
    if (!loader) return {};
    gdk_pixbuf_loader_write(loader.Get(), kProgramIconPng, sizeof kProgramIconPng, nullptr);
    gdk_pixbuf_loader_close(loader.Get(), nullptr);
    GdkPixbuf* image = gdk_pixbuf_loader_get_pixbuf(loader.Get());  // the loader's
    if (!image) return {};
    return ObjectRef<GdkPixbuf>::Adopt(gdk_pixbuf_scale_simple(image, size, size, GDK_INTERP_BILINEAR));
}

}  // namespace velora::gtk
