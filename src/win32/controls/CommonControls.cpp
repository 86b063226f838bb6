#include "win32/controls/CommonControls.h"

#include <windows.h>
#include <commctrl.h>

namespace velora::win32 {

void UseCommonControls() {
    static const bool initialised = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES |
                                                           ICC_PROGRESS_CLASS | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)initialised;
}

}  // namespace velora::win32
