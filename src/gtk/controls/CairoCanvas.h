#pragma once
// The drawing surface the model's owner-drawn controls get on GTK: cairo for
// the shapes, pango for the text, in the control's font.
//
// The background is the theme's (a highlighted entry of an open list has the
// theme's highlight). Drawing goes into a group over it: FillRect clears its
// rectangle of the group, so, as on Windows, it takes away whatever an
// earlier text left there, and the theme's background shows.

#include <string>

#include "gtk/controls/GtkColors.h"
#include "gtk/raii/ObjectRef.h"
#include "controls/Canvas.h"
#include "controls/EffectiveFont.h"

typedef struct _cairo cairo_t;
typedef struct _PangoFontDescription PangoFontDescription;
typedef struct _PangoLayout PangoLayout;

namespace velora::gtk {

class CairoCanvas : public controls::TCanvas {
public:
    // Draws on `cr` until destroyed, text in `textColor`.
    CairoCanvas(cairo_t* cr, const PangoFontDescription* font, const Rgb& textColor);
    ~CairoCanvas() override;
    CairoCanvas(const CairoCanvas&) = delete;
    CairoCanvas& operator=(const CairoCanvas&) = delete;

    void FillRect(const controls::TRect& rect) override;
    void DrawTextAt(int x, int y, const std::string& text) override;

private:
    cairo_t* cr_;
    ObjectRef<PangoLayout> layout_;
    Rgb textColor_;
};

// A font description of the choice; the face falls back to the desktop's
// sans-serif face, a size of 0 to the desktop's size. The caller frees it.
PangoFontDescription* NewFontDescription(const controls::FontChoice& choice);

}  // namespace velora::gtk
