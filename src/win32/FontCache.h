#pragma once
// The fonts the windows of one form are drawn with, each created once on
// first use and deleted with the cache: a form's controls ask for a handful
// of fonts again and again, on every change of a caption or a font.

#include <windows.h>

#include <map>
#include <string>

#include "win32/raii/GdiObjects.h"

namespace velora::win32 {

class FontCache {
public:
    // The font `description` describes; the stock GUI font (not owned) when
    // the system cannot create it.
    HFONT Font(const LOGFONTW& description);
    // How many fonts the cache owns.
    std::size_t Size() const { return fonts_.size(); }

private:
    // Keyed by every field of the description, the face up to its end.
    std::map<std::wstring, OwnedFont> fonts_;
};

}  // namespace velora::win32
