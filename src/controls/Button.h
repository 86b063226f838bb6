#pragma once
// A push button. Clicking one with a ModalResult sets that result on its
// form, which ends the form's modal showing.

#include "controls/Control.h"

namespace velora::controls {

class TButton : public TWinControl {
public:
    explicit TButton(component::TComponent* owner);

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    // Enter presses the default button of a dialog, Esc its cancel button.
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool cancel);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result);

    // Sets the form's ModalResult (when the button has one), then runs OnClick.
    void Click() override;

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};

}  // namespace velora::controls
