#include "win32/ScreenDensity.h"

#include "win32/SystemFunction.h"
#include "win32/raii/DeviceContexts.h"

namespace velora::win32 {

namespace {

constexpr UINT kDesignDpi = 96;

using GetDpiForSystemCall = UINT(WINAPI*)();
using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiCall = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiCall = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiCall = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

template <class Function>
Function FindUserCall(const char* name) {
    return FindFunction<Function>(L"user32.dll", name);
}

}  // namespace

UINT SystemDpi() {
    static const auto forSystem = FindUserCall<GetDpiForSystemCall>("GetDpiForSystem");
    if (forSystem) return forSystem();
    const ClientDC screen(nullptr);
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

UINT WindowDpi(HWND window) {
    static const auto forWindow = FindUserCall<GetDpiForWindowCall>("GetDpiForWindow");
    // 0 for a window handle the system does not know.
    const UINT dpi = forWindow && window ? forWindow(window) : 0;
    return dpi != 0 ? dpi : SystemDpi();
}

int SystemMetricAt(int index, UINT dpi) {
    static const auto forDpi = FindUserCall<GetSystemMetricsForDpiCall>("GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

void AdjustWindowRectAt(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
    static const auto forDpi = FindUserCall<AdjustWindowRectExForDpiCall>("AdjustWindowRectExForDpi");
    if (forDpi && forDpi(&rect, style, FALSE, exStyle, dpi)) return;
    // Where frames do not follow the monitor, the system's frame is the one.
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

LOGFONTW MessageFontAt(UINT dpi) {
    static const auto forDpi = FindUserCall<SystemParametersInfoForDpiCall>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) return metrics.lfMessageFont;
    LOGFONTW font{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        font = metrics.lfMessageFont;
    } else {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    // Both are the font at the system's density.
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
    return font;
}

}  // namespace velora::win32
