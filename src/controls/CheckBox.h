#pragma once
// A check box. A change of Checked, by the user or by the program, runs
// OnClick.

#include "ui/controls/Control.h"

namespace velora::ui {

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    // The user's click: toggles Checked.
    void Click() override;

private:
    bool checked_ = false;
};

}  // namespace velora::ui
