#pragma once
// Owner of an icon the program loaded for itself (LoadImage without
// LR_SHARED): destroyed with its owner. Icons the system shares (LoadIcon)
// must never be held here.

#include <windows.h>

#include "win32/raii/UniqueHandle.h"

namespace velora::win32 {

struct DestroyIconHandle {
    bool operator()(HICON icon) const noexcept { return DestroyIcon(icon) != FALSE; }
};

using OwnedIcon = UniqueHandle<NullHandleTraits<HICON, DestroyIconHandle>>;

}  // namespace velora::win32
