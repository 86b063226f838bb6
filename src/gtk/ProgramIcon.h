#pragma once
// The program's icon (the one the Windows program carries), built into the
// program: for its windows and for the tray icon, which must show even where
// the icon is not installed in the desktop's icon theme.

#include "gtk/raii/ObjectRef.h"

typedef struct _GdkPixbuf GdkPixbuf;

namespace velora::gtk {

// The icon at `size` pixels square. Empty only when the image cannot be
// decoded.
ObjectRef<GdkPixbuf> ProgramIcon(int size);

}  // namespace velora::gtk
