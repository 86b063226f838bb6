#pragma once
// The main window: a small fixed window whose client area is the embedded
// browser showing the service's pages. Hidden most of the time; the program
// lives in the notification area.

#include "ui/model/Form.h"

namespace velora::ui {

class TformMain : public TForm {
public:
    explicit TformMain(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    void FormCreate();
    // Opens the send page in this window.
    void OpenSendPage();
    // Fills the placeholders of the caption and the tray hint.
    void ApplyPlaceholders();

private:
    void FormShow();
};

extern TformMain* formMain;

}  // namespace velora::ui
