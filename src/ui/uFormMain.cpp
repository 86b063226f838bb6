#include "ui/uFormMain.h"

#include "app/uModuleMain.h"
#include "app/uVars.h"
#include "text/Text.h"

namespace velora::ui {

TformMain* formMain = nullptr;

const ClassInfo& TformMain::StaticClass() {
    static const ClassInfo info{"TformMain", &TForm::StaticClass(), {}};
    return info;
}

TformMain::TformMain(TComponent* owner) : TForm(owner) {
    SetCaption(app::AppTitle);
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetClientWidth(474);
    SetClientHeight(530);
    OnShow = [this](TComponent*) { FormShow(); };
}

void TformMain::FormCreate() {
    SetClientHeight(530);
    SetClientWidth(420);
    SetCaption(app::AppTitle);
    app::moduleMain->translator().ApplyToForm(*this);
    ApplyPlaceholders();
}

void TformMain::FormShow() {
    app::moduleMain->translator().ApplyToForm(*this);
    ApplyPlaceholders();
}

void TformMain::ApplyPlaceholders() { SetCaption(text::ReplaceAll(Caption(), "%sAPP_NAME", app::AppTitle)); }

void TformMain::OpenSendPage() { Show(); }

}  // namespace velora::ui
