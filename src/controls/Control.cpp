#include "ui/controls/Control.h"

#include <algorithm>

#include "component/Errors.h"
#include "ui/controls/Form.h"

namespace velora::ui {

const ClassInfo& TControl::StaticClass() {
    static const ClassInfo info{"TControl", &TComponent::StaticClass(), {
        Prop::Integer("Left", &TControl::Left, &TControl::SetLeft),
        Prop::Integer("Top", &TControl::Top, &TControl::SetTop),
        Prop::Integer("Width", &TControl::Width, &TControl::SetWidth),
        Prop::Integer("Height", &TControl::Height, &TControl::SetHeight),
        Prop::Boolean("Visible", &TControl::Visible, &TControl::SetVisible),
        Prop::Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled),
        Prop::String("Hint", &TControl::Hint, &TControl::SetHint),
        Prop::Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint),
        Prop::Integer("Color", &TControl::Color, &TControl::SetColor),
        Prop::Object("Font", &TControl::Font, &TControl::SetFont),
    }};
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this] { Changed("Font"); };
}

TControl::~TControl() {
    if (parent_ != nullptr) std::erase(parent_->controls_, this);
}

void TControl::SetLeft(int left) { ChangeValue(left_, left, "Left"); }
void TControl::SetTop(int top) { ChangeValue(top_, top, "Top"); }
void TControl::SetWidth(int width) { ChangeValue(width_, width, "Width"); }
void TControl::SetHeight(int height) { ChangeValue(height_, height, "Height"); }

void TControl::SetBounds(int left, int top, int width, int height) {
    SetLeft(left);
    SetTop(top);
    SetWidth(width);
    SetHeight(height);
}

void TControl::SetVisible(bool visible) { ChangeValue(visible_, visible, "Visible"); }
void TControl::SetEnabled(bool enabled) { ChangeValue(enabled_, enabled, "Enabled"); }
void TControl::SetHint(const std::string& hint) { ChangeValue(hint_, hint, "Hint"); }
void TControl::SetShowHint(bool showHint) { ChangeValue(showHint_, showHint, "ShowHint"); }
void TControl::SetCaption(const std::string& caption) { ChangeValue(caption_, caption, "Caption"); }
void TControl::SetColor(TColor color) { ChangeValue(color_, color, "Color"); }

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    for (TWinControl* p = parent; p != nullptr; p = p->parent_)
        if (p == this) throw ComponentError("A control cannot be placed inside itself");
    if (parent_ != nullptr) std::erase(parent_->controls_, this);
    parent_ = parent;
    if (parent_ != nullptr) parent_->controls_.push_back(this);
    Changed("Parent");
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

const ClassInfo& TWinControl::StaticClass() {
    static const ClassInfo info{"TWinControl", &TControl::StaticClass(), {
        Prop::Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder),
        Prop::Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop),
    }};
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // The controls inside belong to their owner, not to this one: they only
    // lose their parent.
    for (TControl* control : controls_) control->parent_ = nullptr;
    controls_.clear();
}

void TWinControl::SetTabOrder(int tabOrder) { ChangeValue(tabOrder_, tabOrder, "TabOrder"); }
void TWinControl::SetTabStop(bool tabStop) { ChangeValue(tabStop_, tabStop, "TabStop"); }

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw ListError("List index out of bounds (" + std::to_string(index) + ")");
    return controls_[static_cast<size_t>(index)];
}

TForm* ParentForm(TControl& control) {
    TControl* top = &control;
    while (top->Parent() != nullptr) top = top->Parent();
    if (auto* form = dynamic_cast<TForm*>(top)) return form;
    return dynamic_cast<TForm*>(control.Owner());
}

}  // namespace velora::ui
