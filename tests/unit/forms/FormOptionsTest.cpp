#include <gtest/gtest.h>

#include "account/CountryTable.h"
#include "forms/CountryList.h"
#include "support/ProgramFixture.h"

using namespace velora;
using velora::forms::formMain;
using velora::forms::formOptions;

namespace {

class OptionsDialog : public fakes::ProgramFixture {
protected:
    std::string SelectedEntry() const {
        const auto& list = *formOptions->comboboxCountry;
        return list.ItemIndex() < 0 ? std::string() : list.Items().Strings(list.ItemIndex());
    }
    // Picks the entry whose three-letter code or name starts the entry.
    void SelectEntryStartingWith(const std::string& start) {
        auto& list = *formOptions->comboboxCountry;
        for (int i = 0; i < list.Items().Count(); ++i)
            if (list.Items().Strings(i).rfind(start, 0) == 0) return list.SetItemIndex(i);
        FAIL() << "no entry " << start;
    }
    void PressOk() {
        formOptions->buttonOk->Click();
        EXPECT_EQ(formOptions->ModalResult(), controls::mrOk);
    }
};

}  // namespace

TEST_F(OptionsDialog, FirstStartWithAnEmptySettingsFile) {
    Start();
    EXPECT_EQ(SelectedEntry(), "Deutschland +49=49");
    EXPECT_EQ(forms::SelectedDiallingCode(*formOptions->comboboxCountry), "49");
    EXPECT_EQ(formOptions->editMobileNr->Text(), "");
    EXPECT_EQ(formOptions->editPassword->Text(), "");
    EXPECT_FALSE(formOptions->checkboxOnlineStatus->Checked());
    EXPECT_TRUE(formOptions->checkboxAutostart->Checked());
    // As the language file gives it, with its mnemonic.
    EXPECT_EQ(formOptions->checkboxAutostart->Caption(), "VELORA Desktop beim Windows-&Start ausf\xFChren");
    EXPECT_EQ(formOptions->radioLanguage->ItemIndex(), 0);
    EXPECT_FALSE(formOptions->groupboxIE->Visible());
    EXPECT_EQ(formOptions->Caption(), "VELORA Desktop - 0.9.6.4");
    EXPECT_EQ(formOptions->linkRegister->Caption(), "Jetzt bei VELORA <link>registrieren</link>");
    EXPECT_EQ(formOptions->labelLogin->Caption().find("%sBREAK"), std::string::npos);
    EXPECT_NE(formOptions->labelLogin->Caption().find("\r\n"), std::string::npos);
    EXPECT_EQ(formOptions->comboboxCountry->Items().Count(), 241);
    EXPECT_FALSE(formOptions->IsShowing());
    // The screen's list is filled as a whole, not once for every entry.
    EXPECT_LE(peer.CountOf(*formOptions->comboboxCountry, "Items"), 3);
}

TEST_F(OptionsDialog, EarlierAreaCodeJoinsTheNumberAndLeavesTheFileAtOnce) {
    WriteSettings("[account]\r\ncountry=1\r\nprefix=172\r\nnr=1234567\r\n");
    Start();
    EXPECT_EQ(formOptions->editMobileNr->Text(), "1721234567");
    EXPECT_EQ(ReadSettings().find("prefix="), std::string::npos);
    EXPECT_NE(ReadSettings().find("nr=1721234567\r\n"), std::string::npos);
    // Code 1 is shared by CAN and USA: the later one wins.
    EXPECT_EQ(account::CountryEntryColumns(SelectedEntry()).name, "USA");

    // A later dialog (the next start, or the one of "/options") still shows
    // the whole number, and OK keeps it.
    auto* next = Create<forms::TformOptions>("formOptionsAgain");
    EXPECT_EQ(next->editMobileNr->Text(), "1721234567");
    next->buttonOk->Click();
    EXPECT_EQ(Store().GetString("account\\mobile", ""), "11721234567");
}

TEST_F(OptionsDialog, OkStoresEverythingAsTheDialogShowsIt) {
    Start();
    SelectEntryStartingWith("\xD6sterreich");
    for (char key : std::string("1721234567"))
        formOptions->editMobileNr->TypeKey(key);
    formOptions->editPassword->SetText(" pass wort");
    formOptions->checkboxOnlineStatus->SetChecked(true);
    formOptions->checkboxAutostart->SetChecked(false);
    desktop.runValues["VELORADesktop"] = "\"old\"";
    PressOk();

    EXPECT_EQ(Store().GetString("account\\country", ""), "43");
    EXPECT_EQ(Store().GetString("account\\nr", ""), "1721234567");
    EXPECT_EQ(Store().GetString("account\\mobile", ""), "431721234567");
    EXPECT_FALSE(Store().GetBoolean("extended\\checkOnline", true));
    EXPECT_EQ(Store().GetString("language\\lang", ""), "de");
    EXPECT_EQ(desktop.runValues.count("VELORADesktop"), 0u);
    // Blanks at the ends of a value are lost when the file is read back.
    EXPECT_EQ(Store().GetString("account\\password", ""), "pass wort");
    EXPECT_NE(ReadSettings().find("checkOnline=false\r\n"), std::string::npos);

    formOptions->checkboxAutostart->SetChecked(true);
    PressOk();
    EXPECT_EQ(desktop.runValues["VELORADesktop"], "\"" + folders.programFile + "\"");
}

TEST_F(OptionsDialog, OkWithoutACountryStoresAnEmptyCountryAndTheGermanPrefix) {
    Start();
    formOptions->comboboxCountry->SetItemIndex(-1);
    formOptions->editMobileNr->SetText("1701");
    PressOk();
    EXPECT_EQ(Store().GetString("account\\country", "x"), "");
    EXPECT_EQ(Store().GetString("account\\mobile", ""), "491701");
}

TEST_F(OptionsDialog, NumberFieldTakesDigitsAndBackspaceOnly) {
    Start();
    auto& edit = *formOptions->editMobileNr;
    for (char key : std::string("1a 2+-3\t"))
        edit.TypeKey(key);
    EXPECT_EQ(edit.Text(), "123");
    edit.TypeKey('\b');
    EXPECT_EQ(edit.Text(), "12");
    for (char key : std::string("34567890123"))
        edit.TypeKey(key);
    EXPECT_EQ(edit.Text(), "123456789012");
}

TEST_F(OptionsDialog, LanguageSwitchRenamesCountriesKeepsTheSelectionAndIsUndoneUnlessConfirmed) {
    Start();
    SelectEntryStartingWith("Schweiz");
    const int index = formOptions->comboboxCountry->ItemIndex();
    formMain->browser->Navigate("http://x/send?sApp=DW&sVersion=1&lang=de");

    formOptions->radioLanguage->SetItemIndex(1);
    EXPECT_EQ(app::Vars().CurrentLanguage, "en");
    EXPECT_EQ(formOptions->comboboxCountry->ItemIndex(), index);
    EXPECT_EQ(SelectedEntry(), "Switzerland +41=41");
    EXPECT_EQ(formMain->browser->LocationURL(), "http://x/send?sApp=DW&sVersion=1&lang=en");
    EXPECT_EQ(formMain->menuitemExit->Caption(), "E&xit");

    // Closed without OK: the next show selects the stored language again.
    formOptions->Show();
    EXPECT_EQ(formOptions->radioLanguage->ItemIndex(), 0);
    EXPECT_EQ(app::Vars().CurrentLanguage, "de");
    EXPECT_EQ(SelectedEntry(), "Schweiz +41=41");
    EXPECT_EQ(formMain->menuitemExit->Caption(), "&Beenden");
    EXPECT_TRUE(formOptions->IsShowing());
    formOptions->Hide();
    EXPECT_FALSE(formOptions->IsShowing());
}

// Linux starts the program when the user logs in, not with Windows.
TEST_F(OptionsDialog, TheAutostartBoxSpeaksOfLoggingInWhereTheDesktopStartsTheProgramThen) {
    desktop.autostartsAtLogIn = true;
    Start();
    EXPECT_EQ(formOptions->checkboxAutostart->Caption(), "VELORA Desktop bei der &Anmeldung ausf\xFChren");
    formOptions->radioLanguage->SetItemIndex(1);
    EXPECT_EQ(formOptions->checkboxAutostart->Caption(), "&Start VELORA Desktop when you log in");
    formOptions->Show();
    EXPECT_EQ(formOptions->checkboxAutostart->Caption(), "VELORA Desktop bei der &Anmeldung ausf\xFChren");
    formOptions->Hide();
}

TEST_F(OptionsDialog, WithoutLanguageFilesTheAutostartBoxSpeaksOfLoggingInAllTheSame) {
    desktop.autostartsAtLogIn = true;
    folders.programFile = scratch.Folder() + "/VELORADesktop.exe";
    Start();
    EXPECT_EQ(formOptions->labelLand->Caption(), "Land");
    EXPECT_EQ(formOptions->checkboxAutostart->Caption(), "VELORA Desktop bei der Anmeldung ausf\xFChren");
    formOptions->Show();
    EXPECT_EQ(formOptions->checkboxAutostart->Caption(), "VELORA Desktop bei der Anmeldung ausf\xFChren");
    formOptions->Hide();
}

TEST_F(OptionsDialog, RegistrationLinkOpensThePageInTheCurrentLanguage) {
    WriteSettings("[language]\r\nlang=en\r\n");
    Start();
    formOptions->linkRegister->OnLinkClick(formOptions->linkRegister, 0, "here", "");
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0], "open " + std::string(app::ServiceBaseUrl) + "/register?sApp=DW&lang=en");
    EXPECT_EQ(formOptions->radioLanguage->ItemIndex(), 1);
}

TEST_F(OptionsDialog, TheTrayEntryBringsAnOpenDialogToTheFront) {
    Start();
    int shown = 0;
    peer.duringModal = [&](controls::TForm& form) {
        ++shown;
        // Chosen again from the tray menu while the dialog is open.
        forms::formMain->menuitemOptions->Click();
        form.SetModalResult(controls::mrCancel);
    };
    forms::formMain->menuitemOptions->Click();
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(peer.broughtToFront.empty());
    EXPECT_EQ(peer.broughtToFront.back(), formOptions);
}

TEST_F(OptionsDialog, UnreadableOnlineSettingStopsTheRestOfCreation) {
    WriteSettings("[extended]\r\ncheckOnline=vielleicht\r\n");
    EXPECT_THROW(Start(), std::exception);
}

TEST_F(OptionsDialog, PasswordFieldShowsWhatCanBeReadAndOkKeepsItOutOfPlainText) {
    fakes::FakeDataProtection protection;
    dataProtection = &protection;
    WriteSettings("[account]\r\ncountry=49\r\nnr=1721234567\r\npassword=geheim\r\nmobile=491721234567\r\n");
    Start();
    EXPECT_EQ(formOptions->editPassword->Text(), "geheim");
    EXPECT_EQ(ReadSettings().find("geheim"), std::string::npos);
    formOptions->editPassword->SetText("neu");
    PressOk();
    EXPECT_EQ(ReadSettings().find("neu"), std::string::npos);
    EXPECT_EQ(Store().GetString("account\\password", "").rfind("dpapi:", 0), 0u);
    EXPECT_EQ(Create<forms::TformOptions>("formOptionsAgain")->editPassword->Text(), "neu");

    // Damaged: an empty field, and the page goes without a digest.
    Store().PutString("account\\password", "dpapi:AAAA");
    EXPECT_EQ(Create<forms::TformOptions>("formOptionsDamaged")->editPassword->Text(), "");
    EXPECT_EQ(module->LoginQuery(), "&sVersion=0.9.6.4&");
}

TEST_F(OptionsDialog, PasswordFieldIsFilledWhenTheKeyStoreAnswersLate) {
    fakes::FakeSecretStore keyStore;
    keyStore.secrets["491721234567"] = "geheim";
    secretStore = &keyStore;
    WriteSettings("[account]\r\ncountry=49\r\nnr=1721234567\r\npassword=secret-service:\r\nmobile=491721234567\r\n");
    Start();
    EXPECT_EQ(formOptions->editPassword->Text(), "");
    keyStore.Patience();
    EXPECT_EQ(formOptions->editPassword->Text(), "");
    keyStore.Respond();
    EXPECT_EQ(formOptions->editPassword->Text(), "geheim");

    // OK before the answer, the field untouched: the stored password stays.
    application.reset();
    keyStore.calls.clear();
    Start();
    PressOk();
    EXPECT_EQ(Store().GetString("account\\password", ""), "secret-service:");
    keyStore.Respond();
    EXPECT_EQ(keyStore.calls, (std::vector<std::string>{"lookup 491721234567"}));
    EXPECT_EQ(keyStore.secrets["491721234567"], "geheim");

    // What the user types before the answer wins over it.
    application.reset();
    Start();
    formOptions->editPassword->SetText("neu");
    keyStore.Respond();
    EXPECT_EQ(formOptions->editPassword->Text(), "neu");
    PressOk();
    keyStore.Respond();
    EXPECT_EQ(keyStore.secrets["491721234567"], "neu");
    EXPECT_EQ(ReadSettings().find("neu"), std::string::npos);
}
