#include "controls/Font.h"

namespace velora::controls {

const component::ClassInfo& TFont::StaticClass() {
    static const component::ClassInfo info{"TFont", &component::TPersistent::StaticClass(), {
        component::Prop::Integer("Color", &TFont::Color, &TFont::SetColor),
        component::Prop::String("Name", &TFont::Name, &TFont::SetName),
        component::Prop::Integer("Size", &TFont::Size, &TFont::SetSize),
        component::Prop::Set("Style", FontStylesType, &TFont::Style, &TFont::SetStyle),
    }};
    return info;
}

void TFont::SetName(const std::string& name) {
    if (name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetSize(int size) {
    if (size == size_) return;
    size_ = size;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TFont::Assign(const component::TPersistent& source) {
    const auto* font = dynamic_cast<const TFont*>(&source);
    if (font == nullptr) return component::TPersistent::Assign(source);
    if (font == this) return;
    const bool differs = name_ != font->name_ || size_ != font->size_ || !(style_ == font->style_) ||
                         color_ != font->color_;
    name_ = font->name_;
    size_ = font->size_;
    style_ = font->style_;
    color_ = font->color_;
    if (differs) Changed();
}

void TFont::Changed() {
    if (OnChange) OnChange();
}

}  // namespace velora::controls
