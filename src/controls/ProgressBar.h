#pragma once
// A progress bar: Position within Min .. Max.

#include "controls/Control.h"

namespace velora::controls {

class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(component::TComponent* owner);

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    int Min() const { return min_; }
    void SetMin(int min);
    int Max() const { return max_; }
    void SetMax(int max);
    // Kept within Min .. Max (at Min when Max lies below Min), as the bar
    // itself does; a range change moves it back inside.
    int Position() const { return position_; }
    void SetPosition(int position);

private:
    int Clamped(int position) const;

    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
};

}  // namespace velora::controls
