#include "ui/controls/Panel.h"

namespace velora::ui {

const ClassInfo& TPanel::StaticClass() {
    static const ClassInfo info{"TPanel", &TWinControl::StaticClass(), {
        Prop::String("Caption", &TPanel::Caption, &TPanel::SetCaption),
        Prop::Enumeration("BevelOuter", PanelBevelType, &TPanel::BevelOuter, &TPanel::SetBevelOuter),
    }};
    return info;
}

TPanel::TPanel(TComponent* owner) : TWinControl(owner) { InitSize(185, 41); }

void TPanel::SetBevelOuter(TPanelBevel bevel) { ChangeValue(bevelOuter_, bevel, "BevelOuter"); }

}  // namespace velora::ui
