#include <gtest/gtest.h>

#include <map>

#include "support/ProgramFixture.h"
#include "controls/AccessibleName.h"
#include "controls/DialogKeys.h"
#include "controls/FormLayout.h"
#include "controls/RadioGroup.h"
#include "forms/CountryList.h"

using namespace velora;
using velora::forms::formOptions;
using velora::forms::formUpdate;

namespace {

class DialogKeyboard : public fakes::ProgramFixture {
protected:
    // The controls Tab stops at, as every platform walks them, with the
    // names a screen reader reads for them.
    static std::vector<std::string> TabStops(const controls::TForm& form) {
        std::vector<std::string> stops;
        for (controls::TControl* control : controls::TabSequence(form)) {
            auto* windowed = dynamic_cast<controls::TWinControl*>(control);
            if (!windowed || !windowed->TabStop() || !controls::VisibleOnForm(*windowed) ||
                !controls::EnabledOnForm(*windowed))
                continue;
            if (auto* radio = dynamic_cast<controls::TRadioGroup*>(windowed)) {
                for (int i = 0; i < radio->Items().Count(); ++i)
                    stops.push_back(radio->Name() + "=" + controls::WithoutMnemonic(radio->Items()[i]));
                continue;
            }
            stops.push_back(windowed->Name() + "=" + controls::AccessibleName(*windowed));
        }
        return stops;
    }
    // Every caption's mnemonic, by letter: each names one control.
    static void ExpectUniqueMnemonics(const controls::TForm& form) {
        std::map<char, std::string> owners;
        auto note = [&](const std::string& owner, const std::string& caption) {
            const char letter = controls::MnemonicOf(caption);
            if (letter == 0) return;
            const auto [at, fresh] = owners.emplace(letter, owner);
            EXPECT_TRUE(fresh) << "'" << letter << "' of " << owner << " is " << at->second << "'s already";
        };
        for (controls::TControl* control : controls::TabSequence(form)) {
            if (!controls::VisibleOnForm(*control)) continue;
            if (auto* radio = dynamic_cast<controls::TRadioGroup*>(control)) {
                for (int i = 0; i < radio->Items().Count(); ++i)
                    note(radio->Name() + std::to_string(i), radio->Items()[i]);
            } else if (!dynamic_cast<controls::TLinkLabel*>(control)) {
                note(control->Name(), control->Caption());
            }
        }
        EXPECT_FALSE(owners.empty()) << form.Name() << " has no mnemonics";
    }
};

}  // namespace

TEST_F(DialogKeyboard, TheOptionsDialogIsWalkedInItsDesignedOrderWithEveryStopNamed) {
    Start();
    formOptions->Show();
    EXPECT_EQ(TabStops(*formOptions),
              (std::vector<std::string>{"buttonOk=Ok", "comboboxCountry=Land", "editMobileNr=Handy Nr.",
                                        "editPassword=Passwort", "linkRegister=Jetzt bei VELORA registrieren",
                                        "checkboxAutostart=VELORA Desktop beim Windows-Start ausf\xFChren",
                                        "checkboxOnlineStatus=Keine Internet-Erkennung", "radioLanguage=deutsch",
                                        "radioLanguage=englisch"}));
    ExpectUniqueMnemonics(*formOptions);
    // The entries read as they are drawn: name and dialling code.
    const auto& list = *formOptions->comboboxCountry;
    for (int i = 0; i < list.Items().Count(); ++i) EXPECT_NE(list.ItemText(i), "") << list.Items()[i];
    forms::SelectCountryByCode(*formOptions->comboboxCountry, "43");
    EXPECT_EQ(list.ItemText(list.ItemIndex()), "\xD6sterreich +43");

    // English: the same stops, named in English.
    formOptions->radioLanguage->SetItemIndex(1);
    EXPECT_EQ(TabStops(*formOptions)[2], "editMobileNr=Mobile no.");
    ExpectUniqueMnemonics(*formOptions);
    forms::SelectCountryByCode(*formOptions->comboboxCountry, "43");
    EXPECT_EQ(list.ItemText(list.ItemIndex()), "Austria +43");
}

TEST_F(DialogKeyboard, EscClosesTheOptionsDialogWithoutStoringAndTheUpdateDialogAsItsCancelButton) {
    Start();
    formOptions->editMobileNr->SetText("1729999");
    formOptions->Show();
    controls::CancelDialog(*formOptions);
    EXPECT_FALSE(formOptions->Visible());
    EXPECT_EQ(ReadSettings().find("1729999"), std::string::npos);

    formUpdate->Show();
    EXPECT_EQ(controls::CancelButton(*formUpdate), formUpdate->buttonCancel);
    EXPECT_EQ(TabStops(*formUpdate),
              (std::vector<std::string>{"buttonCancel=Abbruch", "memoHistory=Versionshistorie"}));
    ExpectUniqueMnemonics(*formUpdate);
    controls::CancelDialog(*formUpdate);
    EXPECT_FALSE(formUpdate->Visible());
}
