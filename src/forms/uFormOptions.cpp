#include "forms/uFormOptions.h"

#include "account/CountryTable.h"
#include "forms/CountryList.h"
#include "app/uModuleMain.h"
#include "app/uVars.h"
#include "platform/Desktop.h"
#include "controls/FormDesign.h"
#include "forms/uFormMain.h"
#include "forms/uFormUpdate.h"

namespace velora::forms {

TformOptions* formOptions = nullptr;

namespace {
// The check box's built-in captions: the designed one, which speaks of
// Windows, and the one for a desktop that starts the program at log-in.
constexpr char kAutostartCaption[] = "VELORA Desktop beim Windows-Start ausf\xFChren";
constexpr char kAutostartLogInCaption[] = "VELORA Desktop bei der Anmeldung ausf\xFChren";
}  // namespace

const component::ClassInfo& TformOptions::StaticClass() {
    static const component::ClassInfo info{"TformOptions", &controls::TForm::StaticClass(), {}};
    return info;
}

// The dialog as designed: German texts, which the language file replaces.
TformOptions::TformOptions(component::TComponent* owner) : controls::TForm(owner) {
    SetCaption("%sAPP_NAME - %sVersion");
    SetBorderStyle(controls::bsDialog);
    SetBorderIcons(controls::TBorderIcons{controls::biSystemMenu});
    SetPosition(controls::poScreenCenter);
    SetClientWidth(421);
    SetClientHeight(424);
    Font().SetName("Tahoma");
    Font().SetSize(8);

    groupboxLogin = controls::Place<controls::TGroupBox>(*this, this, "groupboxLogin", 8, 8, 401, 201);
    groupboxLogin->SetCaption("Login Daten");
    groupboxLogin->SetTabOrder(1);
    // Wraps rather than running past the group box where the system's font
    // is wider than the one the dialog was laid out with: a fourth line
    // still ends above the labels below.
    labelLogin = controls::Place<controls::TLabel>(*this, groupboxLogin, "labelLogin", 17, 24, 350, 52);
    labelLogin->SetAutoSize(false);
    labelLogin->SetWordWrap(true);
    labelLogin->SetCaption(
        "Sie sind bereits registriert? Hier k\xF6nnen Sie sich mit Ihren Daten anmelden.\r\n"
        "Format: Land, Vorwahl (ohne f\xFChrende Null), Rufnummer\r\n"
        "z.B. Deutschland 172 1234567");
    labelLand = controls::Place<controls::TLabel>(*this, groupboxLogin, "labelLand", 17, 77, 160, 13);
    labelLand->SetCaption("Land");
    comboboxCountry = controls::Place<controls::TComboBox>(*this, groupboxLogin, "comboboxCountry", 16, 96, 169, 21);
    comboboxCountry->SetStyle(controls::csOwnerDrawFixed);
    comboboxCountry->SetItemHeight(13);
    comboboxCountry->SetDropDownCount(15);
    comboboxCountry->SetSorted(true);
    comboboxCountry->SetTabOrder(0);
    comboboxCountry->OnDrawItem = [](controls::TComboBox& list, controls::TCanvas& canvas, int index,
                                     const controls::TRect& rect,
                                     controls::TOwnerDrawState) { DrawCountryListItem(list, canvas, index, rect); };
    comboboxCountry->OnItemText = [](const controls::TComboBox& list, int index) {
        return CountryListItemText(list, index);
    };
    labelHandyNr = controls::Place<controls::TLabel>(*this, groupboxLogin, "labelHandyNr", 191, 77, 190, 13);
    labelHandyNr->SetCaption("Handy Nr.");
    labelLand->SetFocusControl(comboboxCountry);
    editMobileNr = controls::Place<controls::TEdit>(*this, groupboxLogin, "editMobileNr", 191, 96, 192, 21);
    editMobileNr->SetMaxLength(12);
    editMobileNr->SetTabOrder(1);
    editMobileNr->OnKeyPress = [this](component::TComponent*, char& key) { editMobileNrKeyPress(key); };
    labelHandyNr->SetFocusControl(editMobileNr);
    labelPasswort = controls::Place<controls::TLabel>(*this, groupboxLogin, "labelPasswort", 16, 126, 360, 13);
    labelPasswort->SetCaption("Passwort");
    editPassword = controls::Place<controls::TEdit>(*this, groupboxLogin, "editPassword", 16, 145, 367, 21);
    editPassword->SetPasswordChar('*');
    editPassword->SetTabOrder(2);
    labelPasswort->SetFocusControl(editPassword);
    linkRegister = controls::Place<controls::TLinkLabel>(*this, groupboxLogin, "linkRegister", 16, 172, 297, 13);
    linkRegister->SetCaption("Jetzt bei VELORA <link>registrieren</link>");
    linkRegister->SetTransparent(true);
    linkRegister->SetLayout(controls::tlCenter);
    linkRegister->SetTabOrder(3);
    linkRegister->OnLinkClick = [this](component::TComponent*, int, const std::string&, const std::string&) {
        linkRegisterLinkClick();
    };

    groupboxExtended = controls::Place<controls::TGroupBox>(*this, this, "groupboxExtended", 8, 215, 401, 81);
    groupboxExtended->SetCaption("Erweiterte Einstellungen");
    groupboxExtended->SetTabOrder(2);
    checkboxAutostart =
        controls::Place<controls::TCheckBox>(*this, groupboxExtended, "checkboxAutostart", 16, 24, 367, 17);
    checkboxAutostart->SetCaption(kAutostartCaption);
    checkboxAutostart->SetChecked(true);
    checkboxAutostart->SetTabOrder(0);
    checkboxOnlineStatus =
        controls::Place<controls::TCheckBox>(*this, groupboxExtended, "checkboxOnlineStatus", 16, 47, 367, 17);
    checkboxOnlineStatus->SetCaption("Keine Internet-Erkennung");
    checkboxOnlineStatus->SetHint(
        "In seltenen F\xE4llen kann VELORA Desktop nicht erkennen, ob eine Verbindung zum Internet besteht.\r\n"
        "Erhalten Sie eine Fehlermeldung, obwohl Sie online sind, k\xF6nnen Sie diese Option verwenden.");
    checkboxOnlineStatus->SetShowHint(true);
    checkboxOnlineStatus->SetTabOrder(1);

    radioLanguage = controls::Place<controls::TRadioGroup>(*this, this, "radioLanguage", 8, 303, 401, 75);
    radioLanguage->SetCaption("Sprache");
    radioLanguage->Items().Add("deutsch");
    radioLanguage->Items().Add("englisch");
    radioLanguage->SetItemIndex(0);
    radioLanguage->SetTabOrder(4);
    radioLanguage->OnClick = [this](component::TComponent*) { radioLanguageClick(); };

    // Kept from an earlier version; never shown, never read or written.
    groupboxIE = controls::Place<controls::TGroupBox>(*this, this, "groupboxIE", 8, 360, 265, 57);
    groupboxIE->SetCaption("Internet Explorer");
    groupboxIE->SetVisible(false);
    groupboxIE->SetTabOrder(3);
    checkboxIEIntegration =
        controls::Place<controls::TCheckBox>(*this, groupboxIE, "checkboxIEIntegration", 3, 24, 305, 17);
    checkboxIEIntegration->SetCaption("IE Integration (Toolbar, Kontextmen\xFC)");

    buttonOk = controls::Place<controls::TButton>(*this, this, "buttonOk", 334, 390, 75, 25);
    buttonOk->SetCaption("Ok");
    buttonOk->SetDefault(true);
    buttonOk->SetModalResult(controls::mrOk);
    buttonOk->SetTabOrder(0);
    buttonOk->OnClick = [this](component::TComponent*) { buttonOkClick(); };

    OnShow = [this](component::TComponent*) { FormShow(); };
    OnHide = [this](component::TComponent*) { FormHide(); };
}

TformOptions::~TformOptions() {
    *alive_ = false;
    if (formOptions == this) formOptions = nullptr;
}

void TformOptions::FillCountryListPlain() {
    // One change for the whole list: the native list is filled once, not
    // again for every entry.
    component::TStrings& items = comboboxCountry->Items();
    items.BeginUpdate();
    items.Clear();
    for (const auto& line : app::moduleMain->storageIni().SectionLines(account::kCountrySection)) items.Add(line);
    items.EndUpdate();
}

void TformOptions::FormCreate() {
    auto& store = app::moduleMain->storageIni();
    isShowing_ = false;
    FillCountryListPlain();
    std::string country = store.GetString("account\\country", "Deutschland");
    if (country.empty()) country = "49";
    forms::SelectCountryByCode(*comboboxCountry, country);
    editMobileNr->SetText(MigratedMobileNr(store));
    FillPasswordField();
    checkboxOnlineStatus->SetChecked(!store.GetBoolean("extended\\checkOnline", true));
    ShowStoredLanguage();
    app::moduleMain->translator().ApplyToForm(*this);
    UpdateTexts();
}

// Earlier versions kept the area code apart; it joins the number and leaves
// the file at once. Both changes are written together, so that neither an
// interrupted write nor a later start can find the area code gone from the
// file and from the number.
std::string TformOptions::MigratedMobileNr(settings::TAppIniFileStorage& store) {
    const std::string prefix = store.GetString("account\\prefix", "");
    const std::string number = prefix + store.GetString("account\\nr", "");
    if (prefix.empty()) return number;
    store.BeginUpdate();
    store.PutString("account\\nr", number);
    store.RemoveValue("account\\prefix");
    store.EndUpdate();
    store.Flush();
    return number;
}

void TformOptions::FillPasswordField() {
    auto& password = app::moduleMain->Password();
    const account::LoginPassword stored = password.Current();
    passwordPending_ = stored.state == account::LoginPassword::Pending;
    editPassword->SetText(stored.state == account::LoginPassword::Known ? stored.password : std::string());
    if (passwordPending_) password.WhenAnswered([this, alive = alive_] {
        if (*alive) PasswordAnswered();
    });
}

void TformOptions::PasswordAnswered() {
    if (!passwordPending_) return;
    auto& password = app::moduleMain->Password();
    const account::LoginPassword stored = password.Current();
    if (stored.state == account::LoginPassword::Pending) {
        password.WhenAnswered([this, alive = alive_] {
            if (*alive) PasswordAnswered();
        });
        return;
    }
    passwordPending_ = false;
    // What the user typed meanwhile stays.
    if (editPassword->Text().empty() && stored.state == account::LoginPassword::Known)
        editPassword->SetText(stored.password);
}

void TformOptions::FormShow() {
    const std::string code = forms::SelectedDiallingCode(*comboboxCountry);
    isShowing_ = true;
    ShowStoredLanguage();
    app::moduleMain->translator().ApplyToForm(*this);
    UpdateTexts();
    forms::SelectCountryByCode(*comboboxCountry, code);
}

void TformOptions::FormHide() { isShowing_ = false; }

void TformOptions::ShowStoredLanguage() {
    const bool english = app::moduleMain->storageIni().GetString("language\\lang", "de") == "en";
    radioLanguage->SetItemIndex(english ? 1 : 0);
}

void TformOptions::UpdateTexts() {
    SetCaption(i18n::FillVersion(i18n::FillAppName(Caption(), app::AppTitle), app::Vars().AppVersion));
    labelLogin->SetCaption(i18n::FillBreak(labelLogin->Caption()));
    linkRegister->SetCaption(
        i18n::FillFreeSms(i18n::FillProductShortName(linkRegister->Caption(), app::ProductShortName)));
    auto& translator = app::moduleMain->translator();
    FillCountryList(*comboboxCountry, app::moduleMain->storageIni(),
                    [&translator](const std::string& code) { return translator.LookupText("countries", code); });
    checkboxOnlineStatus->SetHint(i18n::FillAppName(checkboxOnlineStatus->Hint(), app::AppTitle));
    if (app::moduleMain->Desktop().AutostartsAtLogIn()) {
        // The language file keeps this wording beside the Windows one.
        std::string logIn = translator.LookupAttribute("formOptions", "checkboxAutostart", "CaptionLogIn");
        if (logIn.empty() && checkboxAutostart->Caption() == kAutostartCaption) logIn = kAutostartLogInCaption;
        if (!logIn.empty()) checkboxAutostart->SetCaption(logIn);
    }
    checkboxAutostart->SetCaption(i18n::FillAppName(checkboxAutostart->Caption(), app::AppTitle));
}

void TformOptions::editMobileNrKeyPress(char& key) {
    const bool digit = key >= '0' && key <= '9';
    if (!digit && key != '\b') key = '\0';
}

// Every write goes to the file at once (the password's once its keeper has
// answered); nothing is checked.
void TformOptions::buttonOkClick() {
    auto& module = *app::moduleMain;
    auto& store = module.storageIni();
    module.SetAutostart(!checkboxAutostart->Checked());
    store.PutBoolean("extended\\checkOnline", !checkboxOnlineStatus->Checked());
    const std::string code = forms::SelectedDiallingCode(*comboboxCountry);
    store.PutString("account\\country", code);
    store.PutString("account\\nr", editMobileNr->Text());
    const std::string prefix = code.empty() ? std::string(account::kDefaultDiallingCode) : code;
    const std::string mobile = prefix + editMobileNr->Text();
    // Kept out of plain text where the system can; a password the key store
    // has not handed over yet stays as stored unless the user typed one.
    if (!passwordPending_ || !editPassword->Text().empty()) module.Password().Store(mobile, editPassword->Text());
    store.PutString("account\\mobile", mobile);
    store.PutString("language\\lang", radioLanguage->ItemIndex() == 1 ? "en" : "de");
}

void TformOptions::linkRegisterLinkClick() {
    auto& vars = app::Vars();
    app::SetLanguage(vars, vars.CurrentLanguage);
    app::moduleMain->Desktop().ShellOpen(vars.RegisterUrl, "open");
}

void TformOptions::radioLanguageClick() {
    i18n::LanguageSwitch(radioLanguage->ItemIndex(), *this, app::moduleMain->translator(),
                         app::moduleMain->LanguageFolder());
}

std::string TformOptions::SelectedDiallingCode() { return forms::SelectedDiallingCode(*comboboxCountry); }
void TformOptions::LanguageChosen(const std::string& code) { app::SetLanguage(app::Vars(), code); }
void TformOptions::RefillCountryListPlain() { FillCountryListPlain(); }
void TformOptions::SelectCountryByCode(const std::string& code) {
    forms::SelectCountryByCode(*comboboxCountry, code);
}
void TformOptions::UpdateOptionsTexts() { UpdateTexts(); }
void TformOptions::ApplyMainWindowPlaceholders() {
    if (formMain) formMain->ApplyPlaceholders();
}
void TformOptions::UpdateUpdateDialogTexts() {
    if (formUpdate) formUpdate->UpdateTexts();
}
std::string TformOptions::BrowserLocationUrl() { return formMain ? formMain->browser->LocationURL() : std::string(); }
void TformOptions::Navigate(const std::string& url) {
    if (formMain) formMain->browser->Navigate(url);
}

}  // namespace velora::forms
