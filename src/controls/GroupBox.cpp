#include "ui/controls/GroupBox.h"

namespace velora::ui {

const ClassInfo& TGroupBox::StaticClass() {
    static const ClassInfo info{"TGroupBox", &TWinControl::StaticClass(), {
        Prop::String("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption),
    }};
    return info;
}

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) { InitSize(185, 105); }

}  // namespace velora::ui
