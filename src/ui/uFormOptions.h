#pragma once
// The options dialog: account data, start at log-on, internet detection and
// language. Shown modally at the first start, from the tray menu and for
// "/options".

#include "ui/model/Form.h"

namespace velora::ui {

class TformOptions : public TForm {
public:
    explicit TformOptions(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    void FormCreate();
    // Fills the placeholders of the translated texts.
    void UpdateTexts();

    // True from the moment the dialog is shown until it is hidden.
    bool IsShowing() const { return isShowing_; }

private:
    void FormShow();
    void FormHide();

    bool isShowing_ = false;
};

extern TformOptions* formOptions;

}  // namespace velora::ui
