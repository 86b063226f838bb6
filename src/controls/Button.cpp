#include "controls/Button.h"

#include "controls/Form.h"

namespace velora::controls {

const component::ClassInfo& TButton::StaticClass() {
    static const component::ClassInfo info{"TButton", &TWinControl::StaticClass(), {
        component::Prop::String("Caption", &TButton::Caption, &TButton::SetCaption),
        component::Prop::Boolean("Default", &TButton::Default, &TButton::SetDefault),
        component::Prop::Boolean("Cancel", &TButton::Cancel, &TButton::SetCancel),
        component::Prop::Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult),
    }};
    return info;
}

TButton::TButton(component::TComponent* owner) : TWinControl(owner) {
    InitSize(75, 25);
    InitTabStop(true);
}

void TButton::SetDefault(bool isDefault) { ChangeValue(default_, isDefault, "Default"); }
void TButton::SetCancel(bool cancel) { ChangeValue(cancel_, cancel, "Cancel"); }
void TButton::SetModalResult(int result) { ChangeValue(modalResult_, result, "ModalResult"); }

void TButton::Click() {
    if (modalResult_ != mrNone)
        if (TForm* form = ParentForm(*this)) form->SetModalResult(modalResult_);
    TWinControl::Click();
}

}  // namespace velora::controls
