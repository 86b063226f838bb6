#pragma once
// The drawing surface the model's owner-drawn controls get on Windows: a
// device context, with the colours and the font the control has chosen.

#include <windows.h>

#include <cstdint>
#include <string>

#include "controls/Canvas.h"
#include "controls/Color.h"

namespace velora::win32 {

class Win32Canvas : public controls::TCanvas {
public:
    // Not owned; the caller selects font and colours. `scale`: the density
    // of the window drawn in.
    explicit Win32Canvas(HDC dc, controls::DpiScale scale = controls::DpiScale()) : TCanvas(scale), dc_(dc) {}

    // Fills with the DC's background colour.
    void FillRect(const controls::TRect& rect) override;
    // Draws in the DC's text colour, leaving the background as it is.
    void DrawTextAt(int x, int y, const std::string& text) override;

private:
    HDC dc_;
};

// A model colour as Windows takes it; system colours are looked up.
COLORREF ToColorRef(controls::TColor color);
controls::TRect ToTRect(const RECT& rect);

}  // namespace velora::win32
