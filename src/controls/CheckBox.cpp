#include "controls/CheckBox.h"

namespace velora::controls {

const component::ClassInfo& TCheckBox::StaticClass() {
    static const component::ClassInfo info{"TCheckBox", &TWinControl::StaticClass(), {
        component::Prop::String("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption),
        component::Prop::Boolean("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked),
    }};
    return info;
}

TCheckBox::TCheckBox(component::TComponent* owner) : TWinControl(owner) {
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

}  // namespace velora::controls
