#include <gtest/gtest.h>

#include <memory>

#include "controls/Form.h"
#include "controls/tray/FakeTrayShell.h"
#include "controls/tray/TrayTip.h"

using namespace velora::component;
using namespace velora::controls;
using velora::controls::testing::FakeTrayShell;
using velora::controls::testing::ForwardingPeer;

namespace {

// The tray icon as the main window sets it up: the same menu for a left and
// a right click, a double-click handler, no image list.
struct MainWindowTray {
    MainWindowTray() {
        form.SetPeer(&peer);
        popup = CreateComponent<TPopupMenu>(form, "popupTray");
        send = CreateComponent<TMenuItem>(form, "menuitemSend");
        popup->Items().Add(send);
        send->OnClick = [this](TComponent*) { shell.log.push_back("send clicked"); };
        tray = CreateComponent<TTrayIcon>(form, "tray");
        tray->SetActive(true);
        tray->SetAnimated(true);
        tray->SetHint("VELORA");
        tray->SetDropDownMenu(popup);
        tray->SetPopupMenu(popup);
        tray->SetSnap(true);
        tray->SetVisibility({tvAutoHide, tvAnimateToTray});
        tray->OnDblClick = [this](TComponent*, TMouseButton button, TShiftState, int x, int y) {
            shell.log.push_back("double click " + std::to_string(button) + " at " + std::to_string(x) + "," +
                                std::to_string(y));
        };
        logic = std::make_unique<TrayIconLogic>(*tray, shell);
        peer.tray = tray;
        peer.logic = logic.get();
    }
    void Start() {
        logic->Loaded();
        shell.log.clear();
    }
    TrayEvents& Events() { return *logic; }

    FakeTrayShell shell;
    ForwardingPeer peer;
    TForm form{nullptr};
    TPopupMenu* popup;
    TMenuItem* send;
    TTrayIcon* tray;
    std::unique_ptr<TrayIconLogic> logic;
};

using Log = std::vector<std::string>;

TrayPointer Left(int x, int y) { return {mbLeft, {}, {x, y}}; }

}  // namespace

TEST(TrayIcon, StartAddsTheIconAndDestructionRemovesIt) {
    MainWindowTray program;
    program.logic->Loaded();
    // No image list: no animation timer, although Animated is set.
    EXPECT_EQ(program.shell.log, (Log{"add tip=VELORA image=application"}));
    EXPECT_TRUE(program.logic->IconAdded());

    // The main window sets the application's icon after the form is built.
    program.shell.log.clear();
    program.tray->SetIcon(TIcon::ApplicationIcon());
    EXPECT_EQ(program.shell.log, (Log{"image=icon"}));

    // Destruction stops the click and balloon timers and removes the icon.
    program.shell.log.clear();
    program.logic.reset();
    EXPECT_EQ(program.shell.log, (Log{"stop click", "stop balloon", "remove"}));

    // A refused add leaves nothing to remove; switched off nothing is added.
    MainWindowTray refused;
    refused.shell.addSucceeds = false;
    refused.logic->Loaded();
    EXPECT_FALSE(refused.logic->IconAdded());
    refused.shell.log.clear();
    refused.tray->SetActive(false);
    EXPECT_TRUE(refused.shell.log.empty());
    refused.tray->SetIcon(TIcon::ApplicationIcon());
    EXPECT_TRUE(refused.shell.log.empty());
}

TEST(TrayIcon, AnimationRunsOnlyWithAnImageList) {
    MainWindowTray program;
    program.tray->SetIcons(3);
    program.tray->SetIconIndex(1);
    program.logic->Loaded();
    EXPECT_EQ(program.shell.Count("start animation 100"), 1);
    EXPECT_EQ(program.shell.Count("image=list1"), 1);

    // Each tick shows the next entry and wraps to the first.
    program.shell.log.clear();
    program.logic->TimerFired(TrayTimer::Animation);
    program.logic->TimerFired(TrayTimer::Animation);
    EXPECT_EQ(program.tray->IconIndex(), 0);
    EXPECT_EQ(program.shell.log, (Log{"image=list2", "image=list0"}));

    // Taking the list away stops the timer; an index beyond the list falls
    // back to the icon.
    program.shell.log.clear();
    program.tray->SetIcons(std::nullopt);
    EXPECT_EQ(program.shell.Count("stop animation"), 1);
    program.tray->SetIcons(2);
    program.tray->SetIconIndex(5);
    EXPECT_EQ(ChooseTrayImage(*program.tray).source, TrayImageSource::ApplicationIcon);
    program.tray->SetIcon(TIcon::FromResource(7));
    EXPECT_EQ(ChooseTrayImage(*program.tray).source, TrayImageSource::Icon);
}

TEST(TrayIcon, ActivationDropsTheWaitingClickAndASingleClickShowsTheMenuLater) {
    MainWindowTray program;
    program.Start();
    program.Events().Clicked(Left(10, 20));
    EXPECT_EQ(program.shell.log, (Log{"start click 500"}));
    EXPECT_TRUE(program.logic->ClickPending());
    program.Events().Activated(Left(101, 201));
    // A timer message already queued finds no waiting click.
    program.logic->TimerFired(TrayTimer::Click);
    EXPECT_EQ(program.shell.log, (Log{"start click 500", "stop click", "double click 0 at 101,201", "stop click"}));
    program.Events().Activated(Left(101, 201));
    EXPECT_EQ(program.shell.Count("menu"), 0);

    // A single click: the menu at the position of the click, once the
    // double-click time is over; the chosen entry runs after the menu closed.
    // A second click meanwhile moves the menu but does not restart the wait.
    program.shell.log.clear();
    program.shell.choose = program.send;
    program.Events().Clicked(Left(10, 20));
    program.Events().Clicked(Left(30, 40));
    EXPECT_EQ(program.shell.Count("menu"), 0);
    program.logic->TimerFired(TrayTimer::Click);
    EXPECT_EQ(program.shell.log, (Log{"start click 500", "stop click", "menu popupTray at 30,40", "send clicked"}));
    EXPECT_FALSE(program.logic->ClickPending());

    // Without a click handler the right and the middle button do nothing.
    program.shell.log.clear();
    program.Events().Clicked({mbRight, {}, {1, 2}});
    program.Events().Clicked({mbMiddle, {}, {1, 2}});
    EXPECT_TRUE(program.shell.log.empty());

    // With one, and nothing to wait for, a click is handled at once, with
    // the keys held; only the left button opens the menu.
    program.tray->OnDblClick = nullptr;
    program.tray->OnClick = [&program](TComponent*, TMouseButton button, TShiftState shift, int x, int y) {
        program.shell.log.push_back("click " + std::to_string(button) + (shift.Contains(ssCtrl) ? " ctrl" : "") +
                                    " at " + std::to_string(x) + "," + std::to_string(y));
    };
    program.shell.choose = nullptr;
    program.Events().Clicked({mbRight, TShiftState{ssCtrl}, {1, 2}});
    program.Events().Clicked(Left(3, 4));
    EXPECT_EQ(program.shell.log, (Log{"click 1 ctrl at 1,2", "click 0 at 3,4", "menu popupTray at 3,4"}));
}

TEST(TrayIcon, ContextMenuShowsThePopupMenuWhereAskedAndRunsTheChoice) {
    MainWindowTray program;
    program.Start();
    program.shell.choose = program.send;
    program.Events().ContextMenuRequested({5, 6});
    EXPECT_EQ(program.shell.log, (Log{"menu popupTray at 5,6", "send clicked"}));

    // Without a popup menu there is nothing to show, and a waiting click is
    // left alone.
    program.shell.log.clear();
    program.tray->SetPopupMenu(nullptr);
    program.Events().Clicked(Left(1, 1));
    program.Events().ContextMenuRequested({5, 6});
    EXPECT_EQ(program.shell.log, (Log{"start click 500"}));
    EXPECT_TRUE(program.logic->ClickPending());
}

TEST(TrayIcon, TipIsTheHintBeforeTheBarCutToWhatTheShellHolds) {
    const std::string longHint(200, 'x');
    const TrayTipRules current{127, false}, singleLine{63, true};
    EXPECT_EQ(TrayTipText(longHint, current).size(), 127u);
    EXPECT_EQ(TrayTipText(longHint, singleLine).size(), 63u);
    EXPECT_EQ(TrayTipText("VELORA|long help", current), "VELORA");
    EXPECT_EQ(TrayTipText("|x", current), "");
    EXPECT_EQ(TrayHintForShell("a\r\nb\nc", singleLine), "a - b\nc");
    EXPECT_EQ(TrayHintForShell("a\r\nb", current), "a\r\nb");

    // A new hint reaches the shell at the next pointer movement, once.
    MainWindowTray program;
    program.Start();
    program.tray->SetHint("VELORA " + longHint + "|help");
    EXPECT_TRUE(program.shell.log.empty());
    program.Events().PointerMoved();
    program.Events().PointerMoved();
    ASSERT_EQ(program.shell.log.size(), 1u);
    EXPECT_EQ(program.shell.log[0], "tip=" + ("VELORA " + longHint).substr(0, 127));

    // On a single-line shell a line break becomes " - "; a hint that ends up
    // unchanged is not sent again.
    MainWindowTray old;
    old.shell.tipRules = singleLine;
    old.tray->SetHint("VELORA\r\nSMS");
    old.Start();
    EXPECT_EQ(old.logic->Record().tip, "VELORA - SMS");
    old.tray->SetHint("VELORA - SMS");
    old.Events().PointerMoved();
    EXPECT_TRUE(old.shell.log.empty());
}

TEST(TrayIcon, TaskbarRestartAndCancelledLogOffAddTheIconAgain) {
    MainWindowTray program;
    program.tray->SetIcons(1);
    program.Start();
    program.logic->TaskbarCreated();
    EXPECT_EQ(program.shell.log, (Log{"remove", "add tip=VELORA image=list0", "start animation 100"}));
    EXPECT_TRUE(program.logic->IconAdded());

    program.shell.log.clear();
    program.logic->EndSession(false);
    EXPECT_EQ(program.shell.log, (Log{"add tip=VELORA image=list0", "start animation 100"}));
    program.shell.log.clear();
    program.logic->EndSession(true);
    EXPECT_EQ(program.shell.log, (Log{"remove"}));
    EXPECT_FALSE(program.logic->IconAdded());
}

TEST(TrayIcon, BalloonClickEndsItsTimeOutAndReachesTheHandler) {
    MainWindowTray program;
    program.Start();
    int clicks = 0;
    program.tray->OnBalloonClick = [&clicks, &program](TComponent* sender) {
        if (sender == program.tray) ++clicks;
    };
    program.Events().BalloonClicked();
    EXPECT_EQ(program.shell.log, (Log{"stop balloon"}));
    EXPECT_EQ(clicks, 1);
    program.logic->TimerFired(TrayTimer::Balloon);
    EXPECT_EQ(program.shell.Count("stop balloon"), 2);
}

TEST(TrayIcon, ComponentGoingFirstRemovesTheIconAndSilencesTheLogic) {
    MainWindowTray program;
    program.Start();
    delete program.tray;
    EXPECT_EQ(program.shell.log, (Log{"stop click", "stop balloon", "remove"}));
    EXPECT_EQ(program.logic->Tray(), nullptr);
    program.shell.log.clear();
    TrayEvents& events = program.Events();
    events.Clicked(Left(1, 1));
    events.Activated(Left(1, 1));
    events.ContextMenuRequested({1, 1});
    events.PointerMoved();
    events.BalloonClicked();
    program.logic->TimerFired(TrayTimer::Click);
    program.logic->TaskbarCreated();
    program.logic->EndSession(false);
    program.logic.reset();
    EXPECT_TRUE(program.shell.log.empty());
}
