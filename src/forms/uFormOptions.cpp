#include "ui/forms/uFormOptions.h"

#include "account/CountryTable.h"
#include "ui/forms/CountryList.h"
#include "app/uModuleMain.h"
#include "app/uVars.h"
#include "platform/Desktop.h"
#include "ui/controls/FormDesign.h"
#include "ui/forms/uFormMain.h"
#include "ui/forms/uFormUpdate.h"

namespace velora::ui {

TformOptions* formOptions = nullptr;

const ClassInfo& TformOptions::StaticClass() {
    static const ClassInfo info{"TformOptions", &TForm::StaticClass(), {}};
    return info;
}

// The dialog as designed: German texts, which the language file replaces.
TformOptions::TformOptions(TComponent* owner) : TForm(owner) {
    SetCaption("%sAPP_NAME - %sVersion");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poScreenCenter);
    SetClientWidth(421);
    SetClientHeight(424);
    Font().SetName("Tahoma");
    Font().SetSize(8);

    groupboxLogin = Place<TGroupBox>(*this, this, "groupboxLogin", 8, 8, 401, 201);
    groupboxLogin->SetCaption("Login Daten");
    groupboxLogin->SetTabOrder(1);
    // Wraps rather than running past the group box where the system's font
    // is wider than the one the dialog was laid out with: a fourth line
    // still ends above the labels below.
    labelLogin = Place<TLabel>(*this, groupboxLogin, "labelLogin", 17, 24, 350, 52);
    labelLogin->SetAutoSize(false);
    labelLogin->SetWordWrap(true);
    labelLogin->SetCaption(
        "Sie sind bereits registriert? Hier k\xF6nnen Sie sich mit Ihren Daten anmelden.\r\n"
        "Format: Land, Vorwahl (ohne f\xFChrende Null), Rufnummer\r\n"
        "z.B. Deutschland 172 1234567");
    labelLand = Place<TLabel>(*this, groupboxLogin, "labelLand", 17, 77, 160, 13);
    labelLand->SetCaption("Land");
    comboboxCountry = Place<TComboBox>(*this, groupboxLogin, "comboboxCountry", 16, 96, 169, 21);
    comboboxCountry->SetStyle(csOwnerDrawFixed);
    comboboxCountry->SetItemHeight(13);
    comboboxCountry->SetDropDownCount(15);
    comboboxCountry->SetSorted(true);
    comboboxCountry->SetTabOrder(0);
    comboboxCountry->OnDrawItem = [](TComboBox& list, TCanvas& canvas, int index, const TRect& rect,
                                     TOwnerDrawState) { ui::DrawCountryListItem(list, canvas, index, rect); };
    labelHandyNr = Place<TLabel>(*this, groupboxLogin, "labelHandyNr", 191, 77, 190, 13);
    labelHandyNr->SetCaption("Handy Nr.");
    editMobileNr = Place<TEdit>(*this, groupboxLogin, "editMobileNr", 191, 96, 192, 21);
    editMobileNr->SetMaxLength(12);
    editMobileNr->SetTabOrder(1);
    editMobileNr->OnKeyPress = [this](TComponent*, char& key) { editMobileNrKeyPress(key); };
    labelPasswort = Place<TLabel>(*this, groupboxLogin, "labelPasswort", 16, 126, 360, 13);
    labelPasswort->SetCaption("Passwort");
    editPassword = Place<TEdit>(*this, groupboxLogin, "editPassword", 16, 145, 367, 21);
    editPassword->SetPasswordChar('*');
    editPassword->SetTabOrder(2);
    linkRegister = Place<TLinkLabel>(*this, groupboxLogin, "linkRegister", 16, 172, 297, 13);
    linkRegister->SetCaption("Jetzt bei VELORA <link>registrieren</link>");
    linkRegister->SetTransparent(true);
    linkRegister->SetLayout(tlCenter);
    linkRegister->OnLinkClick = [this](TComponent*, int, const std::string&, const std::string&) {
        linkRegisterLinkClick();
    };

    groupboxExtended = Place<TGroupBox>(*this, this, "groupboxExtended", 8, 215, 401, 81);
    groupboxExtended->SetCaption("Erweiterte Einstellungen");
    groupboxExtended->SetTabOrder(2);
    checkboxAutostart = Place<TCheckBox>(*this, groupboxExtended, "checkboxAutostart", 16, 24, 367, 17);
    checkboxAutostart->SetCaption("VELORA Desktop beim Windows-Start ausf\xFChren");
    checkboxAutostart->SetChecked(true);
    checkboxAutostart->SetTabOrder(0);
    checkboxOnlineStatus = Place<TCheckBox>(*this, groupboxExtended, "checkboxOnlineStatus", 16, 47, 367, 17);
    checkboxOnlineStatus->SetCaption("Keine Internet-Erkennung");
    checkboxOnlineStatus->SetHint(
        "In seltenen F\xE4llen kann VELORA Desktop nicht erkennen, ob eine Verbindung zum Internet besteht.\r\n"
        "Erhalten Sie eine Fehlermeldung, obwohl Sie online sind, k\xF6nnen Sie diese Option verwenden.");
    checkboxOnlineStatus->SetShowHint(true);
    checkboxOnlineStatus->SetTabOrder(1);

    radioLanguage = Place<TRadioGroup>(*this, this, "radioLanguage", 8, 303, 401, 75);
    radioLanguage->SetCaption("Sprache");
    radioLanguage->Items().Add("deutsch");
    radioLanguage->Items().Add("englisch");
    radioLanguage->SetItemIndex(0);
    radioLanguage->SetTabOrder(4);
    radioLanguage->OnClick = [this](TComponent*) { radioLanguageClick(); };

    // Kept from an earlier version; never shown, never read or written.
    groupboxIE = Place<TGroupBox>(*this, this, "groupboxIE", 8, 360, 265, 57);
    groupboxIE->SetCaption("Internet Explorer");
    groupboxIE->SetVisible(false);
    groupboxIE->SetTabOrder(3);
    checkboxIEIntegration = Place<TCheckBox>(*this, groupboxIE, "checkboxIEIntegration", 3, 24, 305, 17);
    checkboxIEIntegration->SetCaption("IE Integration (Toolbar, Kontextmen\xFC)");

    buttonOk = Place<TButton>(*this, this, "buttonOk", 334, 390, 75, 25);
    buttonOk->SetCaption("Ok");
    buttonOk->SetDefault(true);
    buttonOk->SetModalResult(mrOk);
    buttonOk->SetTabOrder(0);
    buttonOk->OnClick = [this](TComponent*) { buttonOkClick(); };

    OnShow = [this](TComponent*) { FormShow(); };
    OnHide = [this](TComponent*) { FormHide(); };
}

TformOptions::~TformOptions() {
    *alive_ = false;
    if (formOptions == this) formOptions = nullptr;
}

void TformOptions::FillCountryListPlain() {
    // One change for the whole list: the native list is filled once, not
    // again for every entry.
    TStrings& items = comboboxCountry->Items();
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
    ui::SelectCountryByCode(*comboboxCountry, country);
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
    const std::string code = ui::SelectedDiallingCode(*comboboxCountry);
    isShowing_ = true;
    ShowStoredLanguage();
    app::moduleMain->translator().ApplyToForm(*this);
    UpdateTexts();
    ui::SelectCountryByCode(*comboboxCountry, code);
}

void TformOptions::FormHide() { isShowing_ = false; }

void TformOptions::ShowStoredLanguage() {
    const bool english = app::moduleMain->storageIni().GetString("language\\lang", "de") == "en";
    radioLanguage->SetItemIndex(english ? 1 : 0);
}

void TformOptions::UpdateTexts() {
    SetCaption(i18n::FillVersion(i18n::FillAppName(Caption(), app::AppTitle), app::Vars().AppVersion));
    labelLogin->SetCaption(i18n::FillBreak(labelLogin->Caption()));
    linkRegister->SetCaption(i18n::FillFreeSms(i18n::FillProductShortName(linkRegister->Caption(), app::ProductShortName)));
    auto& translator = app::moduleMain->translator();
    ui::FillCountryList(*comboboxCountry, app::moduleMain->storageIni(),
                             [&translator](const std::string& code) { return translator.LookupText("countries", code); });
    checkboxOnlineStatus->SetHint(i18n::FillAppName(checkboxOnlineStatus->Hint(), app::AppTitle));
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
    const std::string code = ui::SelectedDiallingCode(*comboboxCountry);
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

std::string TformOptions::SelectedDiallingCode() { return ui::SelectedDiallingCode(*comboboxCountry); }
void TformOptions::LanguageChosen(const std::string& code) { app::SetLanguage(app::Vars(), code); }
void TformOptions::RefillCountryListPlain() { FillCountryListPlain(); }
void TformOptions::SelectCountryByCode(const std::string& code) {
    ui::SelectCountryByCode(*comboboxCountry, code);
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

}  // namespace velora::ui
