#include "ui/controls/Memo.h"

namespace velora::ui {

const ClassInfo& TMemo::StaticClass() {
    static const ClassInfo info{"TMemo", &TWinControl::StaticClass(), {
        Prop::Object("Lines", &TMemo::Lines, &TMemo::SetLines),
        Prop::Boolean("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly),
        Prop::Enumeration("ScrollBars", ScrollStyleType, &TMemo::ScrollBars, &TMemo::SetScrollBars),
        Prop::Boolean("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap),
    }};
    return info;
}

TMemo::TMemo(TComponent* owner) : TWinControl(owner), lines_(std::make_unique<TStringList>()) {
    lines_->OnChange = [this] { Changed("Lines"); };
    InitSize(185, 89);
    InitTabStop(true);
}

void TMemo::SetReadOnly(bool readOnly) { ChangeValue(readOnly_, readOnly, "ReadOnly"); }
void TMemo::SetScrollBars(TScrollStyle scrollBars) { ChangeValue(scrollBars_, scrollBars, "ScrollBars"); }
void TMemo::SetWordWrap(bool wordWrap) { ChangeValue(wordWrap_, wordWrap, "WordWrap"); }

}  // namespace velora::ui
