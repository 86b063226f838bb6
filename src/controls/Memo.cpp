#include "controls/Memo.h"

namespace velora::controls {

const component::ClassInfo& TMemo::StaticClass() {
    static const component::ClassInfo info{"TMemo", &TWinControl::StaticClass(), {
        component::Prop::Object("Lines", &TMemo::Lines, &TMemo::SetLines),
        component::Prop::Boolean("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly),
        component::Prop::Enumeration("ScrollBars", ScrollStyleType, &TMemo::ScrollBars, &TMemo::SetScrollBars),
        component::Prop::Boolean("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap),
    }};
    return info;
}

TMemo::TMemo(component::TComponent* owner) : TWinControl(owner), lines_(std::make_unique<component::TStringList>()) {
    lines_->OnChange = [this] { Changed("Lines"); };
    InitSize(185, 89);
    InitTabStop(true);
}

void TMemo::SetReadOnly(bool readOnly) { ChangeValue(readOnly_, readOnly, "ReadOnly"); }
void TMemo::SetScrollBars(TScrollStyle scrollBars) { ChangeValue(scrollBars_, scrollBars, "ScrollBars"); }
void TMemo::SetWordWrap(bool wordWrap) { ChangeValue(wordWrap_, wordWrap, "WordWrap"); }

}  // namespace velora::controls
