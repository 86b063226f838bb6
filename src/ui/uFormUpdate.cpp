#include "ui/uFormUpdate.h"

#include "app/uModuleMain.h"
#include "app/uVars.h"
#include "i18n/LanguageSelection.h"

namespace velora::ui {

TformUpdate* formUpdate = nullptr;

const ClassInfo& TformUpdate::StaticClass() {
    static const ClassInfo info{"TformUpdate", &TForm::StaticClass(), {}};
    return info;
}

TformUpdate::TformUpdate(TComponent* owner) : TForm(owner) {
    SetCaption(app::AppTitle);
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poScreenCenter);
}

void TformUpdate::FormCreate() {
    app::moduleMain->translator().ApplyToForm(*this);
    UpdateTexts();
}

void TformUpdate::UpdateTexts() { SetCaption(i18n::FillAppName(Caption())); }

}  // namespace velora::ui

namespace velora::ui {

void TformUpdate::CheckForUpdate(bool /*manual*/) {
    // The update check comes with the download engine.
}

}  // namespace velora::ui
