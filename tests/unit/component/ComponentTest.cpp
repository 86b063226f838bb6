#include <gtest/gtest.h>

#include <memory>

#include "controls/Button.h"
#include "controls/ComboBox.h"
#include "controls/Form.h"
#include "controls/GroupBox.h"
#include "controls/Label.h"
#include "controls/Menus.h"
#include "controls/TrayIcon.h"
#include "support/RecordingPeer.h"

using namespace velora::component;
using namespace velora::controls;

namespace {

// Writes its name into a log when it is deleted.
class TProbe : public TComponent {
public:
    TProbe(TComponent* owner, std::string name, std::vector<std::string>& log)
        : TComponent(owner), log_(log) {
        SetName(name);
    }
    ~TProbe() override { log_.push_back(Name()); }

private:
    std::vector<std::string>& log_;
};

}  // namespace

TEST(Components, OwnerKeepsCreationOrderAndFindsByName) {
    TForm form(nullptr);
    auto* button = CreateComponent<TButton>(form, "buttonOk");
    auto* label = CreateComponent<TLabel>(form, "labelLand");
    auto* popup = CreateComponent<TPopupMenu>(form, "popupTray");

    ASSERT_EQ(form.ComponentCount(), 3);
    EXPECT_EQ(form.Components(0), button);
    EXPECT_EQ(form.Components(1), label);
    EXPECT_EQ(form.Components(2), popup);
    EXPECT_EQ(form.FindComponent("BUTTONOK"), button);
    EXPECT_EQ(form.FindComponent("buttonCancel"), nullptr);
    EXPECT_EQ(form.FindComponent(""), nullptr);
    EXPECT_EQ(popup->FindComponent(""), nullptr);  // the menu's unnamed root item is never found

    EXPECT_THROW(label->SetName("ButtonOK"), ComponentError);
    EXPECT_THROW(label->SetName("1label"), ComponentError);
    EXPECT_THROW(label->SetName("label Land"), ComponentError);
    EXPECT_EQ(label->Name(), "labelLand");
}

TEST(Components, OwnerDeletesWhatItOwnsLastCreatedFirst) {
    std::vector<std::string> log;
    auto owner = std::make_unique<TProbe>(nullptr, "owner", log);
    new TProbe(owner.get(), "a", log);
    auto* b = new TProbe(owner.get(), "b", log);
    new TProbe(b, "bInner", log);
    new TProbe(owner.get(), "c", log);
    auto* d = new TProbe(owner.get(), "d", log);

    delete d;  // deleted directly: it leaves the owner's list
    EXPECT_EQ(owner->ComponentCount(), 3);

    std::unique_ptr<TComponent> taken = owner->RemoveComponent(*owner->Components(0));
    EXPECT_EQ(taken->Owner(), nullptr);
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(0), b);
    taken.reset();

    owner.reset();
    EXPECT_EQ(log, (std::vector<std::string>{"d", "a", "owner", "c", "b", "bInner"}));
}

TEST(Components, DroppingAComponentClearsWhatOthersHoldOfIt) {
    TForm form(nullptr);
    auto* popup = CreateComponent<TPopupMenu>(form, "popupTray");
    auto* tray = CreateComponent<TTrayIcon>(form, "tray");
    auto* send = CreateComponent<TMenuItem>(form, "menuitemSend");
    auto* exit = CreateComponent<TMenuItem>(form, "menuitemExit");
    tray->SetPopupMenu(popup);
    tray->SetDropDownMenu(popup);
    popup->Items().Add(send);
    popup->Items().Add(exit);
    EXPECT_EQ(exit->MenuIndex(), 1);

    delete send;
    ASSERT_EQ(popup->Items().Count(), 1);
    EXPECT_EQ(popup->Items().Items(0), exit);
    EXPECT_EQ(exit->MenuIndex(), 0);

    form.RemoveComponent(*popup).reset();
    EXPECT_EQ(tray->PopupMenu(), nullptr);
    EXPECT_EQ(tray->DropDownMenu(), nullptr);
    EXPECT_EQ(exit->Parent(), nullptr);
}

TEST(Components, ClassChainIsMatchedByNameWithoutRegardToCase) {
    TStringList list;
    EXPECT_TRUE(HasClassInChain(&list, "TStrings"));
    EXPECT_TRUE(HasClassInChain(&list, "tpersistent"));
    EXPECT_FALSE(HasClassInChain(&list, "TCollection"));
    EXPECT_FALSE(HasClassInChain(nullptr, "TStrings"));

    TComboBox combo(nullptr);
    TLabel label(nullptr);
    EXPECT_EQ(combo.ClassName(), "TComboBox");
    EXPECT_TRUE(combo.InheritsFrom("TWinControl"));
    EXPECT_FALSE(label.InheritsFrom("TWinControl"));
    EXPECT_TRUE(label.Class().InheritsFrom(TComponent::StaticClass()));
    EXPECT_FALSE(TFont::StaticClass().InheritsFrom(TComponent::StaticClass()));
}

TEST(Components, PeerHearsOfEachRealChange) {
    TForm form(nullptr);
    RecordingPeer formPeer;
    form.SetPeer(&formPeer);
    auto* group = CreateComponent<TGroupBox>(form, "groupboxLogin");
    auto* button = CreateComponent<TButton>(form, "buttonOk");
    auto* combo = CreateComponent<TComboBox>(form, "comboboxCountry");
    for (const auto& change : formPeer.changes)  // defaults set while constructing are not reported
        EXPECT_EQ(change.property, "Name");

    button->SetCaption("Ok");
    button->SetCaption("Ok");
    EXPECT_EQ(formPeer.CountOf(*button, "Caption"), 1);
    button->Font().SetStyle({fsBold});
    EXPECT_EQ(formPeer.CountOf(*button, "Font"), 1);
    combo->Items().Add("DEU=49");
    EXPECT_EQ(formPeer.CountOf(*combo, "Items"), 1);
    button->SetParent(group);
    EXPECT_EQ(formPeer.CountOf(*button, "Parent"), 1);
    EXPECT_EQ(group->Controls(0), button);

    RecordingPeer buttonPeer;  // a peer of its own takes the button's reports
    button->SetPeer(&buttonPeer);
    button->SetLeft(334);
    EXPECT_EQ(buttonPeer.CountOf(*button, "Left"), 1);
    EXPECT_EQ(formPeer.CountOf(*button, "Left"), 0);
}
