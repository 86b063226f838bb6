#pragma once
// Owners of GDI objects the program creates (fonts, brushes, bitmaps):
// deleted with their owner. A stock object may be held too; deleting one of
// those is a harmless no-op of the system.

#include <windows.h>

#include "win32/raii/UniqueHandle.h"

namespace velora::win32 {

struct DeleteGdiObject {
    bool operator()(HGDIOBJ object) const noexcept { return DeleteObject(object) != FALSE; }
};

template <class Object>
using GdiObject = UniqueHandle<NullHandleTraits<Object, DeleteGdiObject>>;

using OwnedFont = GdiObject<HFONT>;
using OwnedBrush = GdiObject<HBRUSH>;
using OwnedBitmap = GdiObject<HBITMAP>;

}  // namespace velora::win32
