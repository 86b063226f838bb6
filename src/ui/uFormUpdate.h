#pragma once
// The update dialog: the installed and the newest version, the history, and
// the download of the installer.

#include "ui/model/Form.h"

namespace velora::ui {

class TformUpdate : public TForm {
public:
    explicit TformUpdate(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    void FormCreate();
    // Fills the placeholders of the translated texts.
    void UpdateTexts();
    // Starts the download of the version file when a check is due (or, with
    // `manual`, at once); the result arrives later.
    void CheckForUpdate(bool manual);
};

extern TformUpdate* formUpdate;

}  // namespace velora::ui
