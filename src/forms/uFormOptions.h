#pragma once
// The options dialog: where the user enters the account data once (country,
// mobile number, password), chooses start at log-on, switches the internet
// detection off, chooses the language and reaches the registration page.
// Shown modally: at the first start, from the tray menu and for "/options".
// Its OK button is the only place that writes the account data.

#include <memory>

#include "i18n/LanguageSelection.h"
#include "ui/controls/Button.h"
#include "ui/controls/CheckBox.h"
#include "ui/controls/ComboBox.h"
#include "ui/controls/Edit.h"
#include "ui/controls/Form.h"
#include "ui/controls/GroupBox.h"
#include "ui/controls/Label.h"
#include "ui/controls/linklabel/LinkLabel.h"
#include "ui/controls/RadioGroup.h"

namespace velora::settings {
class TAppIniFileStorage;
}

namespace velora::ui {

class TformOptions : public TForm, private i18n::LanguageSwitchTargets {
public:
    explicit TformOptions(TComponent* owner);
    ~TformOptions() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

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

    TGroupBox* groupboxLogin;
    TLabel* labelLogin;
    TLabel* labelLand;
    TComboBox* comboboxCountry;
    TLabel* labelHandyNr;
    TEdit* editMobileNr;
    TLabel* labelPasswort;
    TEdit* editPassword;
    TLinkLabel* linkRegister;
    TGroupBox* groupboxExtended;
    TCheckBox* checkboxAutostart;
    TCheckBox* checkboxOnlineStatus;
    TRadioGroup* radioLanguage;
    TGroupBox* groupboxIE;
    TCheckBox* checkboxIEIntegration;
    TButton* buttonOk;

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

}  // namespace velora::ui
