#include "ui/controls/CheckBox.h"

namespace velora::ui {

const ClassInfo& TCheckBox::StaticClass() {
    static const ClassInfo info{"TCheckBox", &TWinControl::StaticClass(), {
        Prop::String("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption),
        Prop::Boolean("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked),
    }};
    return info;
}

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    InitSize(97, 17);
    InitTabStop(true);
}

void TCheckBox::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Changed("Checked");
    TWinControl::Click();
}

void TCheckBox::Click() { SetChecked(!checked_); }

}  // namespace velora::ui
