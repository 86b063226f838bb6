#include <gtest/gtest.h>

#include "controls/AccessibleName.h"
#include "controls/Button.h"
#include "controls/DialogKeys.h"
#include "controls/Edit.h"
#include "controls/Form.h"
#include "controls/FormLayout.h"
#include "controls/GroupBox.h"
#include "controls/Label.h"
#include "controls/linklabel/LinkLabel.h"
#include "controls/Memo.h"

using namespace velora::component;
using namespace velora::controls;

namespace {

template <class T>
T* Put(TForm& form, const std::string& name, TWinControl* parent, const std::string& caption = "") {
    T* control = CreateComponent<T>(form, name);
    control->SetParent(parent);
    if (!caption.empty()) control->SetCaption(caption);
    return control;
}

std::vector<std::string> Names(const std::vector<TControl*>& controls) {
    std::vector<std::string> names;
    for (const TControl* control : controls) names.push_back(control->Name());
    return names;
}

}  // namespace

TEST(DialogAccess, CaptionsReadWithoutTheirMnemonic) {
    EXPECT_EQ(WithoutMnemonic("&Handy Nr."), "Handy Nr.");
    EXPECT_EQ(WithoutMnemonic("Fish && &Chips"), "Fish & Chips");
    EXPECT_EQ(WithoutMnemonic("two\r\nlines\nand\rmore"), "two lines and more");
    EXPECT_EQ(WithoutMnemonic("trailing &"), "trailing ");
    EXPECT_EQ(MnemonicOf("Fish && &Chips"), 'c');
    EXPECT_EQ(MnemonicOf("&&only"), 0);
    EXPECT_EQ(MnemonicOf("none"), 0);
    EXPECT_EQ(MnemonicOf("end&"), 0);
}

TEST(DialogAccess, AFieldIsNamedByItsLabelAndTheLabelComesRightBeforeItInTheTabSequence) {
    TForm form(nullptr);
    auto* box = Put<TGroupBox>(form, "groupboxLogin", &form, "Login Daten");
    auto* label = Put<TLabel>(form, "labelPasswort", box, "&Passwort");
    auto* other = Put<TLabel>(form, "labelLogin", box, "Sie sind bereits registriert?");
    auto* edit = Put<TEdit>(form, "editPassword", box);
    auto* number = Put<TEdit>(form, "editMobileNr", box);
    edit->SetTabOrder(1);
    number->SetTabOrder(0);
    auto* link = Put<TLinkLabel>(form, "linkRegister", box, "Jetzt bei VELORA <link>registrieren</link>");
    link->SetTabOrder(2);
    auto* ok = Put<TButton>(form, "buttonOk", &form, "&Ok");
    (void)other;

    EXPECT_EQ(AccessibleName(*edit), "");
    label->SetFocusControl(edit);
    EXPECT_EQ(LabelOf(*edit), label);
    EXPECT_EQ(LabelOf(*number), nullptr);
    EXPECT_EQ(AccessibleName(*edit), "Passwort");
    EXPECT_EQ(AccessibleName(*ok), "Ok");
    EXPECT_EQ(AccessibleName(*link), "Jetzt bei VELORA registrieren");
    EXPECT_EQ(Names(TabSequence(form)),
              (std::vector<std::string>{"groupboxLogin", "editMobileNr", "labelPasswort", "editPassword",
                                        "linkRegister", "labelLogin", "buttonOk"}));

    // The label forgets a field that goes.
    delete edit;
    EXPECT_EQ(label->FocusControl(), nullptr);
    EXPECT_EQ(Names(TabSequence(form)),
              (std::vector<std::string>{"groupboxLogin", "editMobileNr", "linkRegister", "labelPasswort",
                                        "labelLogin", "buttonOk"}));
}

TEST(DialogAccess, EscPressesTheCancelButtonElseClosesTheDialogAsItsCloseBoxDoes) {
    TForm form(nullptr);
    auto* ok = Put<TButton>(form, "buttonOk", &form, "Ok");
    ok->SetDefault(true);
    auto* cancel = Put<TButton>(form, "buttonCancel", &form, "Abbruch");
    int cancelled = 0;
    cancel->OnClick = [&](TComponent*) { ++cancelled; };
    EXPECT_EQ(DefaultButton(form), ok);
    EXPECT_EQ(CancelButton(form), nullptr);

    // Without a cancel button: closed as by its close box.
    form.Show();
    CancelDialog(form);
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(cancelled, 0);

    cancel->SetCancel(true);
    EXPECT_EQ(CancelButton(form), cancel);
    form.Show();
    CancelDialog(form);
    EXPECT_EQ(cancelled, 1);
    EXPECT_TRUE(form.Visible());

    // A hidden or disabled button is not pressed.
    cancel->SetEnabled(false);
    ok->SetVisible(false);
    EXPECT_EQ(CancelButton(form), nullptr);
    EXPECT_EQ(DefaultButton(form), nullptr);
    CancelDialog(form);
    EXPECT_EQ(cancelled, 1);
    EXPECT_FALSE(form.Visible());
}

TEST(DialogAccess, TheKeyboardWalksAndOpensTheLinksOfALinkLabel) {
    TForm form(nullptr);
    auto* link = Put<TLinkLabel>(form, "linkTwo", &form, "<link=a>eins</link> und <link=b>zwei</link>");
    std::vector<std::string> clicked;
    link->OnLinkClick = [&](TComponent*, int number, const std::string& text, const std::string& param) {
        clicked.push_back(std::to_string(number) + text + param);
    };
    EXPECT_TRUE(link->TabStop());
    EXPECT_EQ(link->PlainText(), "eins und zwei");
    EXPECT_EQ(link->FocusedLink(), -1);
    link->ActivateFocusedLink();
    EXPECT_TRUE(clicked.empty());

    EXPECT_TRUE(link->EnterFocus(true));
    EXPECT_EQ(link->FocusedLink(), 0);
    EXPECT_FALSE(link->CanMoveFocus(false));
    EXPECT_TRUE(link->MoveFocus(true));
    EXPECT_EQ(link->FocusedLink(), 1);
    EXPECT_FALSE(link->MoveFocus(true));
    EXPECT_EQ(link->FocusedLink(), 1);
    link->ActivateFocusedLink();
    link->LeaveFocus();
    EXPECT_EQ(link->FocusedLink(), -1);
    // Shift+Tab arrives at the last link.
    EXPECT_TRUE(link->EnterFocus(false));
    EXPECT_EQ(link->FocusedLink(), 1);
    EXPECT_TRUE(link->MoveFocus(false));
    link->ActivateFocusedLink();
    EXPECT_EQ(clicked, (std::vector<std::string>{"1zweib", "0einsa"}));

    // A new caption with fewer links keeps the focus on one that exists.
    link->EnterFocus(false);
    link->SetCaption("nur <link>einer</link>");
    EXPECT_EQ(link->FocusedLink(), 0);
    link->SetCaption("kein Link");
    EXPECT_EQ(link->FocusedLink(), -1);
    EXPECT_FALSE(link->EnterFocus(true));
    link->ActivateFocusedLink();
    EXPECT_EQ(clicked.size(), 2u);
}
