#include "controls/GroupBox.h"

namespace velora::controls {

const component::ClassInfo& TGroupBox::StaticClass() {
    static const component::ClassInfo info{"TGroupBox", &TWinControl::StaticClass(), {
        component::Prop::String("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption),
    }};
    return info;
}

TGroupBox::TGroupBox(component::TComponent* owner) : TWinControl(owner) { InitSize(185, 105); }

}  // namespace velora::controls
