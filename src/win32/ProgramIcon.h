#pragma once
// The program's icon at the size the system asks for at a screen density:
// the system picks the image of that size from the icon resource (which
// holds 16 to 256 pixels), or scales the nearest one, instead of stretching
// one fixed-size image.

#include <windows.h>

#include "win32/raii/Icons.h"

namespace velora::win32 {

// The resource id of the program's icon.
inline constexpr int kProgramIconId = 1;

// Icon resource `resourceId` of `instance` at the size of system metric
// `metric` (SM_CXSMICON for captions and the notification area, SM_CXICON
// for the task switcher) at `dpi`; empty when the module has no such icon.
OwnedIcon LoadIconForDpi(HINSTANCE instance, int resourceId, int metric, UINT dpi);

}  // namespace velora::win32
