#include "controls/Panel.h"

namespace velora::controls {

const component::ClassInfo& TPanel::StaticClass() {
    static const component::ClassInfo info{"TPanel", &TWinControl::StaticClass(), {
        component::Prop::String("Caption", &TPanel::Caption, &TPanel::SetCaption),
        component::Prop::Enumeration("BevelOuter", PanelBevelType, &TPanel::BevelOuter, &TPanel::SetBevelOuter),
    }};
    return info;
}

TPanel::TPanel(component::TComponent* owner) : TWinControl(owner) { InitSize(185, 41); }

void TPanel::SetBevelOuter(TPanelBevel bevel) { ChangeValue(bevelOuter_, bevel, "BevelOuter"); }

}  // namespace velora::controls
