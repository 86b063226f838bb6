#include "ui/controls/Label.h"

namespace velora::ui {

const ClassInfo& TLabel::StaticClass() {
    static const ClassInfo info{"TLabel", &TControl::StaticClass(), {
        Prop::String("Caption", &TLabel::Caption, &TLabel::SetCaption),
        Prop::Enumeration("Alignment", AlignmentType, &TLabel::Alignment, &TLabel::SetAlignment),
        Prop::Enumeration("Layout", TextLayoutType, &TLabel::Layout, &TLabel::SetLayout),
        Prop::Boolean("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize),
        Prop::Boolean("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap),
        Prop::Boolean("Transparent", &TLabel::Transparent, &TLabel::SetTransparent),
    }};
    return info;
}

TLabel::TLabel(TComponent* owner) : TControl(owner) {
    InitSize(65, 13);
}

void TLabel::SetAlignment(TAlignment alignment) { ChangeValue(alignment_, alignment, "Alignment"); }
void TLabel::SetLayout(TTextLayout layout) { ChangeValue(layout_, layout, "Layout"); }
void TLabel::SetAutoSize(bool autoSize) { ChangeValue(autoSize_, autoSize, "AutoSize"); }
void TLabel::SetWordWrap(bool wordWrap) { ChangeValue(wordWrap_, wordWrap, "WordWrap"); }
void TLabel::SetTransparent(bool transparent) { ChangeValue(transparent_, transparent, "Transparent"); }

}  // namespace velora::ui
