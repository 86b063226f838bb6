#pragma once
// Drawing surface handed to owner-drawn controls (the country list draws its
// entries itself). The platform supplies the real one; tests record calls.

#include <cstdint>
#include <string>

#include "component/TypeInfo.h"
#include "controls/DpiScale.h"

namespace velora::controls {

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

enum TOwnerDrawFlag : std::uint8_t { odSelected, odGrayed, odDisabled, odChecked, odFocused, odComboBoxEdit };
using TOwnerDrawState = component::EnumSet<TOwnerDrawFlag, std::uint8_t>;

class TCanvas {
public:
    explicit TCanvas(DpiScale scale = DpiScale()) : scale_(scale) {}
    virtual ~TCanvas() = default;
    // The density the canvas draws at: owner drawing scales its designed
    // offsets with it.
    const DpiScale& Scale() const { return scale_; }
    // Fills the rectangle with the current background (the control has
    // already chosen the selection or the normal colours).
    virtual void FillRect(const TRect& rect) = 0;
    // Draws the text with its top-left corner at (x, y), in the current font
    // and colours. (Not "TextOut": the Windows headers make that a macro.)
    virtual void DrawTextAt(int x, int y, const std::string& text) = 0;

private:
    DpiScale scale_;
};

}  // namespace velora::controls
