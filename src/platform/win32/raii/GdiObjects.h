#pragma once
// Owners of GDI objects the program creates (fonts, brushes, bitmaps):
// deleted with their owner. A stock object may be held too; deleting one of
// those is a harmless no-op of the system.

#include <windows.h>

#include "platform/win32/raii/UniqueHandle.h"

namespace velora::win32 {

template <class Object>
struct GdiObjectTraits {
    using Handle = Object;
    static Handle Invalid() noexcept { return nullptr; }
    static bool Close(Handle object) noexcept { return DeleteObject(object) != FALSE; }
};

template <class Object>
using GdiObject = UniqueHandle<GdiObjectTraits<Object>>;

using OwnedFont = GdiObject<HFONT>;
using OwnedBrush = GdiObject<HBRUSH>;
using OwnedBitmap = GdiObject<HBITMAP>;

}  // namespace velora::win32
