#include "gtk/controls/CairoCanvas.h"

#include <pango/pangocairo.h>

#include "gtk/AnsiText.h"

namespace velora::gtk {

PangoFontDescription* NewFontDescription(const controls::FontChoice& choice) {
    PangoFontDescription* font = pango_font_description_from_string("Sans");
    if (!choice.Name.empty()) pango_font_description_set_family(font, (ToUtf8(choice.Name) + ",Sans").c_str());
    pango_font_description_set_size(font, (choice.Size > 0 ? choice.Size : 9) * PANGO_SCALE);
    pango_font_description_set_weight(
        font, choice.Style.Contains(controls::fsBold) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(
        font, choice.Style.Contains(controls::fsItalic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    return font;
}

CairoCanvas::CairoCanvas(cairo_t* cr, const PangoFontDescription* font, const Rgb& textColor)
    : cr_(cr), layout_(ObjectRef<PangoLayout>::Adopt(pango_cairo_create_layout(cr))), textColor_(textColor) {
    pango_layout_set_font_description(layout_.Get(), font);
    cairo_push_group(cr_);
}

CairoCanvas::~CairoCanvas() {
    cairo_pop_group_to_source(cr_);
    cairo_paint(cr_);
}

void CairoCanvas::FillRect(const controls::TRect& rect) {
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr_, rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
    cairo_fill(cr_);
    cairo_restore(cr_);
}

void CairoCanvas::DrawTextAt(int x, int y, const std::string& text) {
    pango_layout_set_text(layout_.Get(), ToUtf8(text).c_str(), -1);
    SetSourceColor(cr_, textColor_);
    cairo_move_to(cr_, x, y);
    pango_cairo_show_layout(cr_, layout_.Get());
}

}  // namespace velora::gtk
