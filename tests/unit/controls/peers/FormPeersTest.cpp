#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "component/ControlPeer.h"
#include "controls/Button.h"
#include "controls/Edit.h"
#include "controls/Form.h"
#include "controls/GroupBox.h"
#include "controls/Label.h"
#include "controls/Menus.h"
#include "controls/peers/FormPeers.h"

using namespace velora::component;
using namespace velora::controls;

namespace {

using Log = std::vector<std::string>;

struct Context {
    Log& log;
    bool windowExists;
};

// A control peer that writes down what reaches it.
class LoggingPeer {
public:
    LoggingPeer(TComponent& component, Context& context) : name_(component.Name()), log_(context.log) {
        log_.push_back("create " + name_ + (context.windowExists ? "" : " without window"));
    }
    void PropertyChanged(std::string_view property) { log_.push_back(name_ + "." + std::string(property)); }
    void MenuChanged(const TPopupMenu& menu) { log_.push_back(name_ + " hears " + menu.Name()); }

private:
    std::string name_;
    Log& log_;
};

using Registry = PeerRegistry<LoggingPeer, Context>;
using Peers = FormPeers<LoggingPeer, Context>;

// A side of the system that only writes down what it is asked to do.
class LoggingFormPeer : public ControlPeer, private FormPeerSide<Context> {
public:
    LoggingFormPeer(TForm& form, const Registry& registry, Log& log, WindowCreation creation)
        : form_(form), log_(log), peers(form, registry, *this) {
        form.SetPeer(this);
        peers.Open(creation);
    }
    ~LoggingFormPeer() override { form_.SetPeer(nullptr); }

    void PropertyChanged(TComponent& component, std::string_view property) override {
        peers.PropertyChanged(component, property);
    }
    void BringToFront(TForm&) override { peers.EnsureWindow(); }

    bool windowExists = false;

private:
    bool HasWindow() const override { return windowExists; }
    void CreateFormWindow() override {
        log_.push_back("window");
        windowExists = true;
    }
    Context PeerContext() override { return Context{log_, windowExists}; }
    void FormPropertyChanged(std::string_view property) override {
        log_.push_back("form." + std::string(property));
    }
    void TabOrderChanged() override { log_.push_back("tab order"); }
    void AccessibleNamesChanged() override { log_.push_back("names"); }

    TForm& form_;
    Log& log_;

public:
    Peers peers;
};

// A form like the program's: controls, one of them in a group box, a
// button whose kind declines it, and a tray menu with a submenu.
struct FormWithMenu {
    FormWithMenu() {
        registry.Register("TLabel", Registry::FactoryOf<LoggingPeer, TLabel>());
        registry.Register("TWinControl", Registry::FactoryOf<LoggingPeer, TWinControl>());
        registry.Register("TPopupMenu", Registry::FactoryOf<LoggingPeer, TPopupMenu>());
        // A kind is looked up once for a component; a menu item never.
        registry.Register("TButton", [this](TComponent&, Context&) -> std::unique_ptr<LoggingPeer> {
            ++buttonLookups;
            return nullptr;
        });
        registry.Register("TMenuItem", Registry::FactoryOf<LoggingPeer, TMenuItem>());

        group = CreateComponent<TGroupBox>(form, "groupboxLogin");
        label = CreateComponent<TLabel>(form, "labelName");
        label->SetParent(group);
        edit = CreateComponent<TEdit>(form, "editName");
        button = CreateComponent<TButton>(form, "buttonOk");
        menu = CreateComponent<TPopupMenu>(form, "popupTray");
        item = CreateComponent<TMenuItem>(form, "menuitemMore");
        menu->Items().Add(item);
        subItem = CreateComponent<TMenuItem>(form, "menuitemAbout");
        item->Add(subItem);
    }

    // What happens from now on.
    Log Next() {
        Log next;
        next.swap(log);
        return next;
    }

    Registry registry;
    int buttonLookups = 0;
    Log log;
    TForm form{nullptr};
    TGroupBox* group;
    TLabel* label;
    TEdit* edit;
    TButton* button;
    TPopupMenu* menu;
    TMenuItem* item;
    TMenuItem* subItem;
    std::unique_ptr<LoggingFormPeer> peer;
};

}  // namespace

TEST(FormPeers, AtOnceTheWindowAndEveryPeerComeInTheFormsOrder) {
    FormWithMenu f;
    f.peer = std::make_unique<LoggingFormPeer>(f.form, f.registry, f.log, WindowCreation::AtOnce);
    EXPECT_EQ(f.Next(), (Log{"window", "create groupboxLogin", "create labelName", "create editName",
                             "create popupTray", "tab order", "names"}));
    EXPECT_EQ(f.buttonLookups, 1);
    EXPECT_EQ(f.peer->peers.PeerOf(*f.button), nullptr);
    EXPECT_EQ(f.peer->peers.PeerOf(*f.item), nullptr);
    EXPECT_NE(f.peer->peers.PeerOf(*f.label), nullptr);
    EXPECT_EQ(f.peer->peers.Children().size(), 4u);

    // A kind that declined is not asked again.
    f.button->SetCaption("OK");
    EXPECT_EQ(f.Next(), Log{});
    EXPECT_EQ(f.buttonLookups, 1);
}

TEST(FormPeers, WithTheFirstShowingOnlyWhatWorksWhileHiddenHasAPeerBefore) {
    FormWithMenu f;
    f.peer = std::make_unique<LoggingFormPeer>(f.form, f.registry, f.log, WindowCreation::WithFirstShowing);
    EXPECT_EQ(f.Next(), Log{"create popupTray without window"});
    EXPECT_EQ(f.buttonLookups, 0);

    // The model keeps the controls' values meanwhile; the menu hears its
    // items at once, and a new one comes at once.
    f.label->SetCaption("Name");
    f.form.SetCaption("Optionen");
    f.subItem->SetCaption("&Info");
    EXPECT_EQ(f.Next(), Log{"popupTray hears popupTray"});
    auto* second = CreateComponent<TPopupMenu>(f.form, "popupSecond");
    EXPECT_EQ(f.Next(), Log{"create popupSecond without window"});
    f.form.SetVisible(false);
    EXPECT_EQ(f.Next(), Log{});

    f.form.Show();
    EXPECT_EQ(f.Next(), (Log{"window", "create groupboxLogin", "create labelName", "create editName",
                             "tab order", "names", "form.Visible"}));
    EXPECT_NE(f.peer->peers.PeerOf(*second), nullptr);

    // Shown once, the window stays: hidden again, changes reach it.
    f.form.Hide();
    f.label->SetCaption("Vorname");
    EXPECT_EQ(f.Next(), (Log{"form.Visible", "labelName.Caption", "names"}));
}

TEST(FormPeers, BroughtToTheFrontAHiddenFormGetsItsWindowOnce) {
    FormWithMenu f;
    f.peer = std::make_unique<LoggingFormPeer>(f.form, f.registry, f.log, WindowCreation::WithFirstShowing);
    f.Next();
    f.form.BringToFront();
    f.form.BringToFront();
    EXPECT_EQ(f.Next(), (Log{"window", "create groupboxLogin", "create labelName", "create editName",
                             "tab order", "names"}));
}

TEST(FormPeers, AFormVisibleAlreadyGetsItsWindowAtOnceEitherWay) {
    FormWithMenu f;
    f.form.SetVisible(true);
    f.peer = std::make_unique<LoggingFormPeer>(f.form, f.registry, f.log, WindowCreation::WithFirstShowing);
    EXPECT_TRUE(f.peer->windowExists);
    EXPECT_EQ(f.Next().front(), "window");
}

// A container's place, visibility, enablement, font and parent reach its
// contents; its caption and tab order do not. Tab order and container
// changes reorder the tab sequence, captions rename.
TEST(FormPeers, AChangeGoesToItsPeerAndAContainersAlsoToItsContents) {
    FormWithMenu f;
    f.peer = std::make_unique<LoggingFormPeer>(f.form, f.registry, f.log, WindowCreation::AtOnce);
    f.Next();

    f.group->SetVisible(false);
    EXPECT_EQ(f.Next(), (Log{"groupboxLogin.Visible", "labelName.Visible"}));
    f.group->SetLeft(20);
    EXPECT_EQ(f.Next(), (Log{"groupboxLogin.Left", "labelName.Left"}));
    f.group->SetWidth(300);
    EXPECT_EQ(f.Next(), (Log{"groupboxLogin.Width"}));
    f.group->SetCaption("Login");
    EXPECT_EQ(f.Next(), (Log{"groupboxLogin.Caption", "names"}));
    f.group->SetTabOrder(2);
    EXPECT_EQ(f.Next(), (Log{"groupboxLogin.TabOrder", "tab order"}));
    f.label->SetFocusControl(f.edit);
    EXPECT_EQ(f.Next(), (Log{"labelName.FocusControl", "names"}));

    // The edit moves into the group box: it hears that first.
    f.edit->SetParent(f.group);
    EXPECT_EQ(f.Next(), (Log{"editName.Parent", "tab order"}));
    f.group->SetEnabled(false);
    EXPECT_EQ(f.Next(), (Log{"groupboxLogin.Enabled", "labelName.Enabled", "editName.Enabled"}));
}

TEST(FormPeers, TheFormsOwnChangesGoToTheSideItsFontToEveryPeer) {
    FormWithMenu f;
    f.peer = std::make_unique<LoggingFormPeer>(f.form, f.registry, f.log, WindowCreation::AtOnce);
    f.Next();

    f.form.SetCaption("Optionen");
    f.form.SetClientWidth(421);
    EXPECT_EQ(f.Next(), (Log{"form.Caption", "form.ClientWidth"}));
    f.form.Font().SetSize(10);
    EXPECT_EQ(f.Next(), (Log{"groupboxLogin.Font", "labelName.Font", "editName.Font", "popupTray.Font"}));
}

// An item's change, at any depth, is one of its menu, which every peer
// hears (the tray icon shows the menu on one side, the menu's peer on the
// other); an item in no popup menu is nobody's.
TEST(FormPeers, AMenuItemsChangeReachesEveryPeerAsOneOfItsMenu) {
    FormWithMenu f;
    f.peer = std::make_unique<LoggingFormPeer>(f.form, f.registry, f.log, WindowCreation::AtOnce);
    f.Next();

    f.subItem->SetEnabled(false);
    EXPECT_EQ(f.Next(), (Log{"groupboxLogin hears popupTray", "labelName hears popupTray", "editName hears popupTray",
                             "popupTray hears popupTray"}));
    auto* loose = CreateComponent<TMenuItem>(f.form, "menuitemLoose");
    loose->SetCaption("Lose");
    f.item->Remove(f.subItem);
    f.Next();
    f.subItem->SetCaption("Nirgends");
    EXPECT_EQ(f.Next(), Log{});
    EXPECT_EQ(f.peer->peers.PeerOf(*loose), nullptr);
}

// A component made after the window gets its peer with its first reported
// change, as one of the form's; one owned by another component gets none.
TEST(FormPeers, AComponentCreatedLaterGetsItsPeerWithItsFirstChange) {
    FormWithMenu f;
    f.peer = std::make_unique<LoggingFormPeer>(f.form, f.registry, f.log, WindowCreation::AtOnce);
    f.Next();

    auto* later = CreateComponent<TEdit>(f.form, "editLater");
    EXPECT_EQ(f.Next(), (Log{"create editLater", "tab order", "names"}));
    later->SetText("Erika");
    EXPECT_EQ(f.Next(), (Log{"editLater.Text"}));

    auto* inner = CreateComponent<TEdit>(*f.group, "editInner");
    inner->SetText("x");
    EXPECT_EQ(f.Next(), Log{});
    EXPECT_EQ(f.peer->peers.PeerOf(*inner), nullptr);

    // Gone with the form peer, the peers leave the components alone.
    f.peer->peers.Clear();
    EXPECT_EQ(f.peer->peers.PeerOf(*later), nullptr);
    EXPECT_TRUE(f.peer->peers.Children().empty());
}
