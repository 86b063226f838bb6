#include "forms/uFormMain.h"

#include "app/Application.h"
#include "app/EndRequest.h"
#include "app/InstanceHandOver.h"
#include "app/uModuleMain.h"
#include "app/uVars.h"
#include "platform/Desktop.h"
#include "text/Text.h"
#include "forms/uFormOptions.h"
#include "forms/uFormUpdate.h"

namespace velora::forms {

TformMain* formMain = nullptr;

namespace {
constexpr int kClientWidth = 420;
constexpr int kClientHeight = 530;
constexpr char kZoomPath[] = "formMain\\zoom";
}  // namespace

const component::ClassInfo& TformMain::StaticClass() {
    static const component::ClassInfo info{"TformMain", &controls::TForm::StaticClass(), {}};
    return info;
}

controls::TMenuItem* TformMain::AddMenuItem(const std::string& name, const std::string& caption) {
    auto* item = component::CreateComponent<controls::TMenuItem>(*this, name);
    item->SetCaption(caption);
    popupTray->Items().Add(item);
    return item;
}

// The window as designed; the language file replaces the captions.
TformMain::TformMain(component::TComponent* owner) : controls::TForm(owner) {
    SetCaption(app::AppTitle);
    SetBorderStyle(controls::bsDialog);
    SetBorderIcons(controls::TBorderIcons{controls::biSystemMenu});
    SetClientWidth(474);
    SetClientHeight(kClientHeight);

    browser = component::CreateComponent<controls::TWebBrowser>(*this, "browser");
    browser->SetParent(this);
    browser->SetBounds(0, 0, kClientWidth, kClientHeight);

    popupTray = component::CreateComponent<controls::TPopupMenu>(*this, "popupTray");
    menuitemSend = AddMenuItem("menuitemSend", "&SMS senden...");
    menuitemReminder = AddMenuItem("menuitemReminder", "&Erinnerung speichern...");
    menuitemFile = AddMenuItem("menuitemFile", "&Datei senden...");
    menuitemBreak1 = AddMenuItem("menuitemBreak1", "-");
    menuitemContacts = AddMenuItem("menuitemContacts", "&Adressbuch...");
    menuitemBreak2 = AddMenuItem("menuitemBreak2", "-");
    menuitemCredits = AddMenuItem("menuitemCredits", "&Credits kaufen...");
    menuitemUpdate = AddMenuItem("menuitemUpdate", "Auf &Updates pr\xFC" "fen...");
    menuitemOptions = AddMenuItem("menuitemOptions", "&Optionen...");
    menuitemBreak3 = AddMenuItem("menuitemBreak3", "-");
    menuitemExit = AddMenuItem("menuitemExit", "&Beenden");
    for (controls::TMenuItem* page : {menuitemSend, menuitemReminder, menuitemFile, menuitemContacts, menuitemCredits})
        page->OnClick = [this](component::TComponent* sender) { showUrl(sender); };
    menuitemUpdate->OnClick = [this](component::TComponent*) { menuitemUpdateClick(); };
    menuitemOptions->OnClick = [this](component::TComponent*) { menuitemOptionsClick(); };
    menuitemExit->OnClick = [this](component::TComponent*) { menuitemExitClick(); };

    tray = component::CreateComponent<controls::TTrayIcon>(*this, "tray");
    tray->SetHint(app::ProductShortName);
    tray->SetDelay(100);
    tray->SetSnap(true);
    tray->SetVisibility(controls::TTrayVisibilities{controls::tvAutoHide, controls::tvAnimateToTray});
    tray->SetDropDownMenu(popupTray);
    tray->SetPopupMenu(popupTray);
    tray->SetAnimated(true);
    tray->OnDblClick = [this](component::TComponent*, component::TMouseButton, component::TShiftState, int, int) {
        OpenSendPage();
    };
    tray->SetActive(true);

    OnShow = [this](component::TComponent*) { FormShow(); };
    OnClose = [this](component::TComponent*, controls::TCloseAction& action) { FormClose(action); };
}

TformMain::~TformMain() {
    if (formMain == this) formMain = nullptr;
    app::OnSecondInstance() = nullptr;
    app::OnEndRequested() = nullptr;
}

void TformMain::FormCreate() {
    app::OnSecondInstance() = [this] { OpenSendPage(); };
    // An end the desktop asks for is the exit entry's.
    app::OnEndRequested() = [this] { menuitemExitClick(); };
    SetLeft(app::moduleMain->StoredMainLeft(kClientWidth));
    SetTop(app::moduleMain->StoredMainTop(kClientHeight));
    SetClientHeight(kClientHeight);
    SetClientWidth(kClientWidth);
    SetCaption(app::AppTitle);
    tray->SetIcon(controls::TIcon::ApplicationIcon());
    tray->SetHint(app::ProductShortName);
    app::moduleMain->translator().ApplyToForm(*this);
    ApplyPlaceholders();
    // The pages keep the zoom the user chose last time.
    browser->SetZoom(controls::StoredZoom(app::moduleMain->storageIni().GetString(kZoomPath, "")));
    browser->OnZoomChange = [this](component::TComponent*) {
        app::moduleMain->storageIni().PutInteger(kZoomPath, browser->Zoom());
    };
}

void TformMain::FormShow() {
    app::moduleMain->translator().ApplyToForm(*this);
    ApplyPlaceholders();
}

void TformMain::ApplyPlaceholders() {
    SetCaption(text::ReplaceAll(Caption(), "%sAPP_NAME", app::AppTitle));
    tray->SetHint(text::ReplaceAll(tray->Hint(), "%sPRODUCT_SHORTNAME", app::ProductShortName));
}

app::ServicePage TformMain::PageOf(const component::TComponent* sender) const {
    if (sender == menuitemReminder) return app::spReminder;
    if (sender == menuitemContacts) return app::spContacts;
    if (sender == menuitemCredits) return app::spPrices;
    if (sender == menuitemFile) return app::spFile;
    return app::spSend;
}

void TformMain::showUrl(component::TComponent* sender) {
    auto& module = *app::moduleMain;
    if (!module.IsOnline()) {
        module.Desktop().ShowMessage(app::Vars().MsgNotOnline, app::AppTitle);
        return;
    }
    // The tray icon works while start-up still creates the later forms.
    if (formUpdate) formUpdate->CheckForUpdate(false);
    const app::ServicePage page = PageOf(sender);
    // A page asked for while the key store still looks the password up waits
    // for its answer, so that it carries the right digest.
    module.WhenLoginSettled([this, page] { OpenPage(page); });
}

void TformMain::OpenPage(app::ServicePage page) {
    auto& module = *app::moduleMain;
    const std::string url = module.ServiceUrl(page);
    if (page == app::spPrices) {
        module.OpenExternal(url);
        return;
    }
    browser->Navigate(url);
    Show();
}

void TformMain::OpenSendPage() { showUrl(menuitemSend); }

void TformMain::menuitemUpdateClick() {
    auto& module = *app::moduleMain;
    if (!module.IsOnline()) {
        module.Desktop().ShowMessage(app::Vars().MsgNotOnline, app::AppTitle);
        return;
    }
    // A stored 0 reads as the zero date: the check is due at once.
    module.storageIni().PutInteger("check\\LastCheck", 0);
    if (formUpdate) formUpdate->CheckForUpdate(true);
}

void TformMain::menuitemOptionsClick() {
    if (!formOptions) return;
    if (formOptions->IsShowing()) {
        formOptions->BringToFront();
    } else {
        formOptions->ShowModal();
    }
}

// The program ends even when the settings cannot be written: the user hears
// of the failure once, and a store that cannot be written must not keep the
// program running.
void TformMain::menuitemExitClick() {
    try {
        app::moduleMain->SaveMainPosition(Left(), Top());
    } catch (...) {
        if (component::ControlPeer* peer = EffectivePeer()) peer->HandleError(std::current_exception());
    }
    app::Application->Terminate();
}

// Closing only hides the window; the program runs on in the tray. The
// window goes before the first-close notice comes up, not after the user
// has answered it.
void TformMain::FormClose(controls::TCloseAction& action) {
    action = controls::caHide;
    Hide();
    app::moduleMain->SaveMainPosition(Left(), Top());
    app::moduleMain->ShowTrayNotice();
}

}  // namespace velora::forms
