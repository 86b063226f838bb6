#include "controls/Label.h"

namespace velora::controls {

const component::ClassInfo& TLabel::StaticClass() {
    static const component::ClassInfo info{"TLabel", &TControl::StaticClass(), {
        component::Prop::String("Caption", &TLabel::Caption, &TLabel::SetCaption),
        component::Prop::Enumeration("Alignment", AlignmentType, &TLabel::Alignment, &TLabel::SetAlignment),
        component::Prop::Enumeration("Layout", TextLayoutType, &TLabel::Layout, &TLabel::SetLayout),
        component::Prop::Boolean("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize),
        component::Prop::Boolean("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap),
        component::Prop::Boolean("Transparent", &TLabel::Transparent, &TLabel::SetTransparent),
    }};
    return info;
}

TLabel::TLabel(component::TComponent* owner) : TControl(owner) {
    InitSize(65, 13);
}

void TLabel::SetAlignment(TAlignment alignment) { ChangeValue(alignment_, alignment, "Alignment"); }
void TLabel::SetLayout(TTextLayout layout) { ChangeValue(layout_, layout, "Layout"); }
void TLabel::SetAutoSize(bool autoSize) { ChangeValue(autoSize_, autoSize, "AutoSize"); }
void TLabel::SetWordWrap(bool wordWrap) { ChangeValue(wordWrap_, wordWrap, "WordWrap"); }
void TLabel::SetTransparent(bool transparent) { ChangeValue(transparent_, transparent, "Transparent"); }
void TLabel::SetFocusControl(TWinControl* control) { ChangeValue(focusControl_, control, "FocusControl"); }

void TLabel::ComponentRemoved(component::TComponent& component) {
    if (&component == focusControl_) focusControl_ = nullptr;
}

}  // namespace velora::controls
