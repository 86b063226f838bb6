#include "ui/uFormOptions.h"

#include "app/uModuleMain.h"
#include "app/uVars.h"
#include "text/Text.h"

namespace velora::ui {

TformOptions* formOptions = nullptr;

const ClassInfo& TformOptions::StaticClass() {
    static const ClassInfo info{"TformOptions", &TForm::StaticClass(), {}};
    return info;
}

TformOptions::TformOptions(TComponent* owner) : TForm(owner) {
    SetCaption("%sAPP_NAME - %sVersion");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poScreenCenter);
    SetClientWidth(421);
    SetClientHeight(424);
    OnShow = [this](TComponent*) { FormShow(); };
    OnHide = [this](TComponent*) { FormHide(); };
}

void TformOptions::FormCreate() {
    isShowing_ = false;
    app::moduleMain->translator().ApplyToForm(*this);
    UpdateTexts();
}

void TformOptions::FormShow() {
    isShowing_ = true;
    app::moduleMain->translator().ApplyToForm(*this);
    UpdateTexts();
}

void TformOptions::FormHide() { isShowing_ = false; }

void TformOptions::UpdateTexts() {
    std::string caption = text::ReplaceAll(Caption(), "%sAPP_NAME", app::AppTitle);
    SetCaption(text::ReplaceAll(caption, "%sVersion", app::Vars().AppVersion));
}

}  // namespace velora::ui
