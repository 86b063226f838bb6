#pragma once
// The options dialog: where the user enters the account data once (country,
// mobile number, password), chooses start at log-on, switches the internet
// detection off, chooses the language and reaches the registration page.
// Shown modally: at the first start, from the tray menu and for "/options".
// Its OK button is the only place that writes the account data.

#include <memory>

#include "i18n/LanguageSelection.h"
#include "controls/Button.h"
#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/Form.h"
#include "controls/GroupBox.h"
#include "controls/Label.h"
#include "controls/linklabel/LinkLabel.h"
#include "controls/RadioGroup.h"

namespace velora::settings {
class TAppIniFileStorage;
}

namespace velora::forms {

class TformOptions : public controls::TForm, private i18n::LanguageSwitchTargets {
public:
    explicit TformOptions(component::TComponent* owner);
    ~TformOptions() override;

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    // Loads the stored values; runs once, when the dialog object is created.
    void FormCreate();
    // Fills the placeholders of the translated texts and refills the
    // country list in the language in force.
    void UpdateTexts();
    // Selects the radio entry of the stored language (which switches the
    // language when the selection changes).
    void ShowStoredLanguage();

    // True from the moment the dialog is shown until it is hidden.
    bool IsShowing() const { return isShowing_; }

    controls::TGroupBox* groupboxLogin;
    controls::TLabel* labelLogin;
    controls::TLabel* labelLand;
    controls::TComboBox* comboboxCountry;
    controls::TLabel* labelHandyNr;
    controls::TEdit* editMobileNr;
    controls::TLabel* labelPasswort;
    controls::TEdit* editPassword;
    controls::TLinkLabel* linkRegister;
    controls::TGroupBox* groupboxExtended;
    controls::TCheckBox* checkboxAutostart;
    controls::TCheckBox* checkboxOnlineStatus;
    controls::TRadioGroup* radioLanguage;
    controls::TGroupBox* groupboxIE;
    controls::TCheckBox* checkboxIEIntegration;
    controls::TButton* buttonOk;

private:
    void FormShow();
    void FormHide();
    void buttonOkClick();
    void editMobileNrKeyPress(char& key);
    void linkRegisterLinkClick();
    void radioLanguageClick();
    void FillCountryListPlain();
    // The password field shows the stored password; empty when it cannot be
    // read, and filled once the key store answers when that comes later.
    void FillPasswordField();
    void PasswordAnswered();
    static std::string MigratedMobileNr(settings::TAppIniFileStorage& store);

    // What the language switch changes outside the translator.
    std::string SelectedDiallingCode() override;
    void LanguageChosen(const std::string& code) override;
    void RefillCountryListPlain() override;
    void SelectCountryByCode(const std::string& diallingCode) override;
    void UpdateOptionsTexts() override;
    void ApplyMainWindowPlaceholders() override;
    void UpdateUpdateDialogTexts() override;
    std::string BrowserLocationUrl() override;
    void Navigate(const std::string& url) override;

    bool isShowing_ = false;
    // The field waits for the key store's answer.
    bool passwordPending_ = false;
    // The key store's late answer reaches the dialog only while it exists.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

extern TformOptions* formOptions;

}  // namespace velora::forms
