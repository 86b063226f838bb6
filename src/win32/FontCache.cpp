#include "win32/FontCache.h"

#include <cstring>
#include <cwchar>

namespace velora::win32 {

namespace {

// Equal for descriptions CreateFontIndirect makes the same font of: the
// numbers, then the face without what follows its terminating zero.
std::wstring KeyOf(const LOGFONTW& description) {
    LOGFONTW numbers = description;
    std::wmemset(numbers.lfFaceName, L'\0', LF_FACESIZE);
    static_assert(sizeof numbers % sizeof(wchar_t) == 0);
    std::wstring key(sizeof numbers / sizeof(wchar_t), L'\0');
    std::memcpy(key.data(), &numbers, sizeof numbers);
    key.append(description.lfFaceName, wcsnlen(description.lfFaceName, LF_FACESIZE));
    return key;
}

}  // namespace

HFONT FontCache::Font(const LOGFONTW& description) {
    std::wstring key = KeyOf(description);
    if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second.Get();
    OwnedFont font(CreateFontIndirectW(&description));
    if (!font) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const HFONT handle = font.Get();
    fonts_.emplace(std::move(key), std::move(font));
    return handle;
}

}  // namespace velora::win32
