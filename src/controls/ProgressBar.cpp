#include "controls/ProgressBar.h"

#include <algorithm>

namespace velora::controls {

const component::ClassInfo& TProgressBar::StaticClass() {
    static const component::ClassInfo info{"TProgressBar", &TWinControl::StaticClass(), {
        component::Prop::Integer("Min", &TProgressBar::Min, &TProgressBar::SetMin),
        component::Prop::Integer("Max", &TProgressBar::Max, &TProgressBar::SetMax),
        component::Prop::Integer("Position", &TProgressBar::Position, &TProgressBar::SetPosition),
    }};
    return info;
}

TProgressBar::TProgressBar(component::TComponent* owner) : TWinControl(owner) { InitSize(150, 16); }

int TProgressBar::Clamped(int position) const { return std::clamp(position, min_, std::max(min_, max_)); }

void TProgressBar::SetMin(int min) {
    ChangeValue(min_, min, "Min");
    ChangeValue(position_, Clamped(position_), "Position");
}

void TProgressBar::SetMax(int max) {
    ChangeValue(max_, max, "Max");
    ChangeValue(position_, Clamped(position_), "Position");
}

void TProgressBar::SetPosition(int position) { ChangeValue(position_, Clamped(position), "Position"); }

}  // namespace velora::controls
