#pragma once
// What the built-in peer kinds of every side promise: each kind of control
// the forms place has a peer, and so have the tray icon and the web
// browser; the form itself (its peer is the form peer), a menu item (its
// menu shows it) and a plain component have none. A test file of a side
// instantiates the suite with a type whose Registry() is the side's
// built-in registry:
//
//     INSTANTIATE_TYPED_TEST_SUITE_P(Name, BuiltInPeersContract, Side);

#include <gtest/gtest.h>

#include "component/Component.h"
#include "controls/Button.h"
#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/Form.h"
#include "controls/GroupBox.h"
#include "controls/Label.h"
#include "controls/Memo.h"
#include "controls/Menus.h"
#include "controls/Panel.h"
#include "controls/ProgressBar.h"
#include "controls/RadioGroup.h"
#include "controls/TrayIcon.h"
#include "controls/WebBrowser.h"
#include "controls/linklabel/LinkLabel.h"

namespace velora::controls::testing {

template <typename Side>
class BuiltInPeersContract : public ::testing::Test {
protected:
    template <class Model>
    bool HasKind(const char* name) {
        return Side::Registry().Find(*component::CreateComponent<Model>(form, name)) != nullptr;
    }

    TForm form{nullptr};
};

TYPED_TEST_SUITE_P(BuiltInPeersContract);

TYPED_TEST_P(BuiltInPeersContract, EveryKindOfControlTheFormsPlaceHasAPeer) {
    EXPECT_TRUE(this->template HasKind<TLabel>("labelName"));
    EXPECT_TRUE(this->template HasKind<TButton>("buttonOk"));
    EXPECT_TRUE(this->template HasKind<TCheckBox>("checkboxKeep"));
    EXPECT_TRUE(this->template HasKind<TEdit>("editName"));
    EXPECT_TRUE(this->template HasKind<TComboBox>("comboboxCountry"));
    EXPECT_TRUE(this->template HasKind<TGroupBox>("groupboxLogin"));
    EXPECT_TRUE(this->template HasKind<TRadioGroup>("radiogroupLanguage"));
    EXPECT_TRUE(this->template HasKind<TMemo>("memoHistory"));
    EXPECT_TRUE(this->template HasKind<TProgressBar>("progressbarDownload"));
    EXPECT_TRUE(this->template HasKind<TPanel>("panelTop"));
    EXPECT_TRUE(this->template HasKind<TLinkLabel>("linklabelInfo"));
    EXPECT_TRUE(this->template HasKind<TTrayIcon>("trayIcon"));
    EXPECT_TRUE(this->template HasKind<TWebBrowser>("webBrowser"));
}

TYPED_TEST_P(BuiltInPeersContract, TheFormAMenuItemAndAPlainComponentHaveNone) {
    EXPECT_EQ(TypeParam::Registry().Find(this->form), nullptr);
    EXPECT_FALSE(this->template HasKind<TMenuItem>("menuitemExit"));
    EXPECT_FALSE(this->template HasKind<component::TComponent>("plainComponent"));
}

REGISTER_TYPED_TEST_SUITE_P(BuiltInPeersContract, EveryKindOfControlTheFormsPlaceHasAPeer,
                            TheFormAMenuItemAndAPlainComponentHaveNone);

}  // namespace velora::controls::testing
