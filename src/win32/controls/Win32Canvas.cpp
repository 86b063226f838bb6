#include "win32/controls/Win32Canvas.h"

#include "win32/WideText.h"

namespace velora::win32 {

void Win32Canvas::FillRect(const controls::TRect& rect) {
    const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    // ExtTextOut with ETO_OPAQUE and no text fills the rectangle with the
    // background colour, without a brush.
    ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void Win32Canvas::DrawTextAt(int x, int y, const std::string& text) {
    const std::wstring wide = Widen(text);
    const int oldMode = SetBkMode(dc_, TRANSPARENT);
    TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
    SetBkMode(dc_, oldMode);
}

COLORREF ToColorRef(controls::TColor color) {
    const auto bits = static_cast<std::uint32_t>(color);
    if ((bits & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(bits & 0xFFu));
    return static_cast<COLORREF>(bits & 0x00FFFFFFu);
}

controls::TRect ToTRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace velora::win32
