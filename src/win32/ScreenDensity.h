#pragma once
// The screen's density (dots per inch) and what depends on it: the system's
// metrics, window frames and the dialog font. Windows 10 answers these for
// each monitor; older systems, and Wine where it lacks a call, have one
// density for the whole system, which is then the answer.

#include <windows.h>

namespace velora::win32 {

// The density the system draws at for the whole session.
UINT SystemDpi();
// The density of the screen the window is on, as the system last told the
// window; the system's for a window the system does not know.
UINT WindowDpi(HWND window);
// GetSystemMetrics(index) at `dpi`.
int SystemMetricAt(int index, UINT dpi);
// AdjustWindowRectEx with the frame a window at `dpi` has.
void AdjustWindowRectAt(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);
// The system's dialog font (its message font) at `dpi`.
LOGFONTW MessageFontAt(UINT dpi);

}  // namespace velora::win32
