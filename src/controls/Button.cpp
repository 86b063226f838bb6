#include "ui/controls/Button.h"

#include "ui/controls/Form.h"

namespace velora::ui {

const ClassInfo& TButton::StaticClass() {
    static const ClassInfo info{"TButton", &TWinControl::StaticClass(), {
        Prop::String("Caption", &TButton::Caption, &TButton::SetCaption),
        Prop::Boolean("Default", &TButton::Default, &TButton::SetDefault),
        Prop::Boolean("Cancel", &TButton::Cancel, &TButton::SetCancel),
        Prop::Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult),
    }};
    return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
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

}  // namespace velora::ui
