#include "controls/Control.h"

#include <algorithm>

#include "component/Errors.h"
#include "controls/Form.h"

namespace velora::controls {

const component::ClassInfo& TControl::StaticClass() {
    static const component::ClassInfo info{"TControl", &component::TComponent::StaticClass(), {
        component::Prop::Integer("Left", &TControl::Left, &TControl::SetLeft),
        component::Prop::Integer("Top", &TControl::Top, &TControl::SetTop),
        component::Prop::Integer("Width", &TControl::Width, &TControl::SetWidth),
        component::Prop::Integer("Height", &TControl::Height, &TControl::SetHeight),
        component::Prop::Boolean("Visible", &TControl::Visible, &TControl::SetVisible),
        component::Prop::Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled),
        component::Prop::String("Hint", &TControl::Hint, &TControl::SetHint),
        component::Prop::Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint),
        component::Prop::Integer("Color", &TControl::Color, &TControl::SetColor),
        component::Prop::Object("Font", &TControl::Font, &TControl::SetFont),
    }};
    return info;
}

TControl::TControl(component::TComponent* owner) : component::TComponent(owner), font_(std::make_unique<TFont>()) {
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
        if (p == this) throw component::ComponentError("A control cannot be placed inside itself");
    if (parent_ != nullptr) std::erase(parent_->controls_, this);
    parent_ = parent;
    if (parent_ != nullptr) parent_->controls_.push_back(this);
    Changed("Parent");
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

const component::ClassInfo& TWinControl::StaticClass() {
    static const component::ClassInfo info{"TWinControl", &TControl::StaticClass(), {
        component::Prop::Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder),
        component::Prop::Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop),
    }};
    return info;
}

TWinControl::TWinControl(component::TComponent* owner) : TControl(owner) {}

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
        throw component::ListError("List index out of bounds (" + std::to_string(index) + ")");
    return controls_[static_cast<size_t>(index)];
}

TForm* ParentForm(TControl& control) {
    TControl* top = &control;
    while (top->Parent() != nullptr) top = top->Parent();
    if (auto* form = dynamic_cast<TForm*>(top)) return form;
    return dynamic_cast<TForm*>(control.Owner());
}

}  // namespace velora::controls
