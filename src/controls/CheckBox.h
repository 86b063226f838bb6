#pragma once
// A check box. A change of Checked, by the user or by the program, runs
// OnClick.

#include "controls/Control.h"

namespace velora::controls {

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(component::TComponent* owner);

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    // The user's click: toggles Checked.
    void Click() override;

private:
    bool checked_ = false;
};

}  // namespace velora::controls
