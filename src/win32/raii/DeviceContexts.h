#pragma once
// Device contexts, each given back the way it was obtained: GetDC with
// ReleaseDC, CreateCompatibleDC with DeleteDC, BeginPaint with EndPaint; and
// the guard that puts a DC's former object back after selecting another.
//
// Declare a selection after the DC and the object it selects: the guards
// then unwind in the right order, the selection first.

#include <windows.h>

#include "win32/raii/UniqueHandle.h"

namespace velora::win32 {

// GetDC of a window's client area, or of the screen for a null window.
class ClientDC {
public:
    explicit ClientDC(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~ClientDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ClientDC(const ClientDC&) = delete;
    ClientDC& operator=(const ClientDC&) = delete;

    HDC Get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

struct DeleteMemoryDC {
    bool operator()(HDC dc) const noexcept { return DeleteDC(dc) != FALSE; }
};

// A DC of its own (CreateCompatibleDC), to draw off screen.
using MemoryDC = UniqueHandle<NullHandleTraits<HDC, DeleteMemoryDC>>;

// WM_PAINT's DC: EndPaint also when the painting fails, or the window would
// stay invalid and be painted again and again.
class PaintDC {
public:
    explicit PaintDC(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC Get() const noexcept { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a DC and puts the DC's former object back at the
// end of the scope. Select may change the selection meanwhile; what is put
// back is always the object the DC had before the guard.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), former_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (former_) SelectObject(dc_, former_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

    void Select(HGDIOBJ object) noexcept { SelectObject(dc_, object); }

private:
    HDC dc_;
    HGDIOBJ former_;
};

}  // namespace velora::win32
