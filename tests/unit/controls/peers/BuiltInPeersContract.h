#pragma once
// What the built-in peer kinds of every side promise: each kind of control
// the forms place has a peer, and so have the tray icon and the web
// browser; the form itself (its peer is the form peer), a menu item (its
// menu shows it) and a plain component have none. A test file of a side
// instantiates the suite with the function that gives its built-in
// registry:
//
//     INSTANTIATE_TYPED_TEST_SUITE_P(Name, BuiltInPeersContract, PeersOf<&BuiltInPeers>);

#include <gtest/gtest.h>

#include <string>

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

// The side whose built-in registry `BuiltIn()` gives.
template <auto BuiltIn>
struct PeersOf {
    static const auto& Registry() { return BuiltIn(); }
};

template <typename Side>
class BuiltInPeersContract : public ::testing::Test {
protected:
    // Expects of each model class that a component of it has a kind of
    // peer, or (`has` false) that it has none.
    template <class... Models>
    void ExpectKinds(bool has) {
        (ExpectKind<Models>(has), ...);
    }

    TForm form{nullptr};

private:
    template <class Model>
    void ExpectKind(bool has) {
        const std::string className(Model::StaticClass().Name());
        auto* component = component::CreateComponent<Model>(form, "a" + className);
        EXPECT_EQ(Side::Registry().Find(*component) != nullptr, has) << className;
    }
};

TYPED_TEST_SUITE_P(BuiltInPeersContract);

TYPED_TEST_P(BuiltInPeersContract, EveryKindOfControlTheFormsPlaceHasAPeer) {
    this->template ExpectKinds<TLabel, TButton, TCheckBox, TEdit, TComboBox, TGroupBox, TRadioGroup, TMemo,
                               TProgressBar, TPanel, TLinkLabel, TTrayIcon, TWebBrowser>(true);
}

TYPED_TEST_P(BuiltInPeersContract, TheFormAMenuItemAndAPlainComponentHaveNone) {
    EXPECT_EQ(TypeParam::Registry().Find(this->form), nullptr);
    this->template ExpectKinds<TMenuItem, component::TComponent>(false);
}

REGISTER_TYPED_TEST_SUITE_P(BuiltInPeersContract, EveryKindOfControlTheFormsPlaceHasAPeer,
                            TheFormAMenuItemAndAPlainComponentHaveNone);

}  // namespace velora::controls::testing
