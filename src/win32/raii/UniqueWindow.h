#pragma once
// A window this program created and destroys itself: a top-level window, a
// message-only window, or a child window that must go before its parent
// does (a control rebuilt with another style, a peer that leaves its form).
//
// DestroyWindow may only be called on the thread that created the window
// and sends WM_DESTROY to it at once, so the owner must go on that thread
// and while the window procedure can still take the message. Children that
// simply live and die with their parent need no owner: the system destroys
// them with it.

#include <windows.h>

#include "win32/raii/UniqueHandle.h"

namespace velora::win32 {

struct DestroyOwnWindow {
    bool operator()(HWND window) const noexcept { return DestroyWindow(window) != FALSE; }
};

using UniqueWindow = UniqueHandle<NullHandleTraits<HWND, DestroyOwnWindow>>;

}  // namespace velora::win32
