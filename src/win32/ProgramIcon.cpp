#include "win32/ProgramIcon.h"

#include "win32/ScreenDensity.h"

namespace velora::win32 {

OwnedIcon LoadIconForDpi(HINSTANCE instance, int resourceId, int metric, UINT dpi) {
    const int size = SystemMetricAt(metric, dpi);
    if (size <= 0) return OwnedIcon();
    // Without LR_SHARED: an icon of this size is the caller's to destroy.
    return OwnedIcon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

}  // namespace velora::win32
