#pragma once
// What the form peer of every side promises on its real windows: each
// control of the form gets its native side, a menu item none, and a control
// created later gets one with its first change; a hidden or disabled
// container hides or disables the native sides of its contents, also of a
// control moved into it afterwards. A test file of a side instantiates the
// suite with a type that has
//
//   Host                     what a form peer is created with (default-constructible)
//   FormPeer                 the side's form peer, made from (TForm&, Host&)
//   HasNativeSide(peer, c)   the component has a peer with a window or widget
//   Shown(peer, c)           its window or widget is shown by its own state
//   Enabled(peer, c)         ... enabled by its own state
//
//     INSTANTIATE_TYPED_TEST_SUITE_P(Name, FormPeerContract, Side);

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "component/Component.h"
#include "controls/Button.h"
#include "controls/CheckBox.h"
#include "controls/Edit.h"
#include "controls/Form.h"
#include "controls/GroupBox.h"
#include "controls/Menus.h"

namespace velora::controls::testing {

template <typename Side>
class FormPeerContract : public ::testing::Test {
protected:
    FormPeerContract() {
        form.SetClientWidth(300);
        form.SetClientHeight(160);
        group = Place<TGroupBox>("groupboxLogin", &form, 8, 8, 200, 100);
        edit = Place<TEdit>("editName", group, 16, 24, 150, 21);
        check = Place<TCheckBox>("checkboxKeep", &form, 8, 120, 150, 17);
        item = component::CreateComponent<TMenuItem>(form, "menuitemExit");
        peer = std::make_unique<typename Side::FormPeer>(form, host);
    }

    template <class T>
    T* Place(const std::string& name, TWinControl* parent, int left, int top, int width, int height) {
        T* control = component::CreateComponent<T>(form, name);
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        return control;
    }

    bool HasNativeSide(const component::TComponent& component) const { return Side::HasNativeSide(*peer, component); }
    bool Shown(const component::TComponent& component) const { return Side::Shown(*peer, component); }
    bool Enabled(const component::TComponent& component) const { return Side::Enabled(*peer, component); }

    typename Side::Host host;
    TForm form{nullptr};
    TGroupBox* group;
    TEdit* edit;
    TCheckBox* check;
    TMenuItem* item;
    std::unique_ptr<typename Side::FormPeer> peer;
};

TYPED_TEST_SUITE_P(FormPeerContract);

TYPED_TEST_P(FormPeerContract, EveryControlGetsItsNativeSideAlsoOneCreatedLater) {
    EXPECT_TRUE(this->HasNativeSide(*this->group));
    EXPECT_TRUE(this->HasNativeSide(*this->edit));
    EXPECT_TRUE(this->HasNativeSide(*this->check));
    EXPECT_FALSE(this->HasNativeSide(*this->item));

    auto* later = this->template Place<TButton>("buttonLater", &this->form, 220, 120, 75, 25);
    EXPECT_TRUE(this->HasNativeSide(*later));
    EXPECT_TRUE(this->Shown(*later));
}

TYPED_TEST_P(FormPeerContract, AHiddenOrDisabledContainerHidesOrDisablesItsContents) {
    ASSERT_TRUE(this->Shown(*this->edit));
    this->group->SetVisible(false);
    EXPECT_FALSE(this->Shown(*this->group));
    EXPECT_FALSE(this->Shown(*this->edit));
    EXPECT_TRUE(this->Shown(*this->check));
    this->group->SetVisible(true);
    EXPECT_TRUE(this->Shown(*this->edit));

    this->group->SetEnabled(false);
    EXPECT_FALSE(this->Enabled(*this->edit));
    EXPECT_TRUE(this->Enabled(*this->check));
    this->group->SetEnabled(true);
    EXPECT_TRUE(this->Enabled(*this->edit));

    // Inside a hidden container a control's own Visible does not show it.
    this->group->SetVisible(false);
    this->edit->SetVisible(false);
    this->edit->SetVisible(true);
    EXPECT_FALSE(this->Shown(*this->edit));
    this->group->SetVisible(true);
    EXPECT_TRUE(this->Shown(*this->edit));
}

TYPED_TEST_P(FormPeerContract, AControlMovedIntoAHiddenContainerHidesWithIt) {
    this->group->SetVisible(false);
    this->group->SetEnabled(false);
    this->check->SetParent(this->group);
    EXPECT_FALSE(this->Shown(*this->check));
    EXPECT_FALSE(this->Enabled(*this->check));
    this->check->SetParent(&this->form);
    EXPECT_TRUE(this->Shown(*this->check));
    EXPECT_TRUE(this->Enabled(*this->check));
}

REGISTER_TYPED_TEST_SUITE_P(FormPeerContract, EveryControlGetsItsNativeSideAlsoOneCreatedLater,
                            AHiddenOrDisabledContainerHidesOrDisablesItsContents,
                            AControlMovedIntoAHiddenContainerHidesWithIt);

}  // namespace velora::controls::testing
