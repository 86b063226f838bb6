#include <gtest/gtest.h>

#include <memory>

#include "controls/tray/FakeTrayShell.h"
#include "controls/tray/TrayTip.h"
#include "controls/Form.h"

using namespace velora::component;
using namespace velora::controls;
using velora::controls::testing::FakeTrayShell;
using velora::controls::testing::ForwardingPeer;

namespace {

// The tray icon as the main window sets it up: the same menu for a left and
// a right click, a double-click handler, no image list.
struct MainWindowTray {
    explicit MainWindowTray(ShellVersion version = {6, 0}) {
        shell.version = version;
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
    void Events(std::initializer_list<unsigned> events) {
        for (unsigned event : events) logic->Notify(event);
    }

    FakeTrayShell shell;
    ForwardingPeer peer;
    TForm form{nullptr};
    TPopupMenu* popup;
    TMenuItem* send;
    TTrayIcon* tray;
    std::unique_ptr<TrayIconLogic> logic;
};

using Log = std::vector<std::string>;
namespace ev = tray_event;

}  // namespace

TEST(TrayIcon, StartAddsTheIconAndHidesTheTaskbarButton) {
    MainWindowTray program;
    program.logic->Loaded();
    // No image list: no animation timer, although Animated is set.
    EXPECT_EQ(program.shell.log, (Log{"hook", "add 7 tip=VELORA image=application", "setversion 3",
                                      "hide application", "service process"}));
    EXPECT_TRUE(program.logic->IconAdded());
    EXPECT_TRUE(program.logic->HiddenSinceStart());
    EXPECT_EQ(program.logic->Record().version, 3);

    // The main window sets the application's icon after the form is built.
    program.shell.log.clear();
    program.tray->SetIcon(TIcon::ApplicationIcon());
    EXPECT_EQ(program.shell.log, (Log{"modify 2 image=icon"}));

    // Destruction stops the click and balloon timers and removes the icon.
    program.shell.log.clear();
    program.logic.reset();
    EXPECT_EQ(program.shell.log, (Log{"stop 3", "stop 2", "unhook", "delete 0"}));

    // Below shell 5.0 there is no set-version call; with the taskbar button
    // and task-list flags set nothing is hidden.
    MainWindowTray old({4, 0});
    old.tray->SetVisibility({tvVisibleTaskBar, tvVisibleTaskList, tvAutoHide});
    old.logic->Loaded();
    EXPECT_EQ(old.shell.log, (Log{"hook", "add 7 tip=VELORA image=application"}));
    EXPECT_FALSE(old.logic->HiddenSinceStart());
    EXPECT_EQ(old.logic->Record().version, 0);
}

TEST(TrayIcon, AnimationRunsOnlyWithAnImageList) {
    MainWindowTray program;
    program.tray->SetIcons(3);
    program.tray->SetIconIndex(1);
    program.logic->Loaded();
    EXPECT_EQ(program.shell.Count("start 1 100"), 1);
    EXPECT_EQ(program.shell.Count("image=list1"), 1);

    // Each tick shows the next entry and wraps to the first.
    program.shell.log.clear();
    program.logic->TimerFired(kAnimationTimer);
    program.logic->TimerFired(kAnimationTimer);
    EXPECT_EQ(program.tray->IconIndex(), 0);
    EXPECT_EQ(program.shell.log, (Log{"modify 2 image=list2", "modify 2 image=list0"}));

    // Taking the list away stops the timer; an index beyond the list falls
    // back to the icon.
    program.shell.log.clear();
    program.tray->SetIcons(std::nullopt);
    EXPECT_EQ(program.shell.Count("stop 1"), 1);
    program.tray->SetIcons(2);
    program.tray->SetIconIndex(5);
    EXPECT_EQ(ChooseTrayImage(*program.tray).source, TrayImageSource::ApplicationIcon);
    program.tray->SetIcon(TIcon::FromResource(7));
    EXPECT_EQ(ChooseTrayImage(*program.tray).source, TrayImageSource::Icon);
}

TEST(TrayIcon, DoubleClickNeverShowsTheMenuAndSingleClickWaitsForTheDoubleClickTime) {
    MainWindowTray program;
    program.Start();
    program.Events({ev::kLeftDown, ev::kLeftUp});
    EXPECT_EQ(program.shell.log, (Log{"start 3 500"}));
    EXPECT_TRUE(program.logic->ClickPending());
    program.shell.cursor = {101, 201};
    program.Events({ev::kLeftDoubleClick, ev::kLeftUp});
    // A timer message already queued finds no pending click.
    program.logic->TimerFired(kClickTimer);
    EXPECT_EQ(program.shell.log, (Log{"start 3 500", "stop 3", "double click 0 at 101,201", "stop 3"}));
    EXPECT_EQ(program.shell.Count("menu"), 0);

    // A single click: the menu at the position of the release, once the
    // double-click time is over; the chosen entry runs after the menu closed.
    program.shell.log.clear();
    program.shell.choose = program.send;
    program.shell.cursor = {10, 20};
    program.Events({ev::kLeftDown, ev::kLeftUp});
    program.shell.cursor = {30, 40};
    EXPECT_EQ(program.shell.Count("menu"), 0);
    program.logic->TimerFired(kClickTimer);
    EXPECT_EQ(program.shell.log, (Log{"start 3 500", "stop 3", "foreground", "menu popupTray at 10,20", "null",
                                      "send clicked"}));
    EXPECT_FALSE(program.logic->ClickPending());

    // A release without a noted press is no click; neither is the middle button.
    program.shell.log.clear();
    program.Events({ev::kLeftUp, ev::kMiddleDown, ev::kMiddleUp});
    EXPECT_TRUE(program.shell.log.empty());
}

TEST(TrayIcon, RightClickShowsTheMenuOnceOnEveryShell) {
    MainWindowTray current({6, 0});
    current.Start();
    current.Events({ev::kRightDown, ev::kRightUp, ev::kContextMenu});
    EXPECT_EQ(current.shell.log, (Log{"foreground", "menu popupTray at 100,200", "null"}));
    current.Events({ev::kKeySelect});
    EXPECT_EQ(current.shell.Count("menu"), 2);

    MainWindowTray old({4, 0});
    old.Start();
    old.Events({ev::kRightDown, ev::kRightUp});
    EXPECT_EQ(old.shell.log, (Log{"foreground", "menu popupTray at 100,200", "null"}));
}

TEST(TrayIcon, TipIsTheHintBeforeTheBarCutToWhatTheShellHolds) {
    const std::string longHint(200, 'x');
    EXPECT_EQ(TrayTipText(longHint, {5, 0}).size(), 127u);
    EXPECT_EQ(TrayTipText(longHint, {4, 71}).size(), 63u);
    EXPECT_EQ(TrayTipText("VELORA|long help", {6, 0}), "VELORA");
    EXPECT_EQ(TrayTipText("|x", {6, 0}), "");
    EXPECT_EQ(TrayHintForShell("a\r\nb\nc", {4, 0}), "a - b\nc");
    EXPECT_EQ(TrayHintForShell("a\r\nb", {5, 0}), "a\r\nb");

    // A new hint reaches the shell at the next mouse movement, once.
    MainWindowTray program;
    program.Start();
    program.tray->SetHint("VELORA " + longHint + "|help");
    EXPECT_TRUE(program.shell.log.empty());
    program.Events({ev::kMouseMove, ev::kMouseMove});
    ASSERT_EQ(program.shell.log.size(), 1u);
    EXPECT_EQ(program.shell.log[0], "modify 4 tip=" + ("VELORA " + longHint).substr(0, 127));

    // Below 5.0 a line break becomes " - "; a hint that ends up unchanged is
    // not sent again.
    MainWindowTray old({4, 0});
    old.tray->SetHint("VELORA\r\nSMS");
    old.Start();
    EXPECT_EQ(old.logic->Record().tip, "VELORA - SMS");
    old.tray->SetHint("VELORA - SMS");
    old.Events({ev::kMouseMove});
    EXPECT_TRUE(old.shell.log.empty());
}

TEST(TrayIcon, TaskbarRestartAndCancelledLogOffAddTheIconAgain) {
    MainWindowTray program;
    program.tray->SetIcons(1);
    program.Start();
    program.logic->TaskbarCreated();
    EXPECT_EQ(program.shell.log,
              (Log{"delete 0", "add 7 tip=VELORA image=list0", "setversion 3", "start 1 100"}));
    EXPECT_TRUE(program.logic->IconAdded());

    program.shell.log.clear();
    EXPECT_TRUE(program.logic->QueryEndSession());
    program.logic->EndSession(false);
    EXPECT_EQ(program.shell.log, (Log{"add 7 tip=VELORA image=list0", "setversion 3", "start 1 100"}));
    program.shell.log.clear();
    program.logic->EndSession(true);
    EXPECT_EQ(program.shell.log, (Log{"delete 0"}));
    EXPECT_FALSE(program.logic->IconAdded());
}

TEST(TrayIcon, MinimiseHidesOnlyTheApplicationWindowWhenHiddenSinceStart) {
    MainWindowTray program;
    program.Start();
    program.form.SetVisible(true);
    program.logic->ApplicationMinimizing();
    EXPECT_EQ(program.shell.log, (Log{"hide application"}));
    EXPECT_TRUE(program.form.Visible());
    EXPECT_EQ(program.tray->Visibility(), (TTrayVisibilities{tvAutoHide, tvAnimateToTray}));

    // Shown in the taskbar at start, the main window is hidden with the
    // animation and the application minimised.
    MainWindowTray shown;
    shown.tray->SetVisibility({tvVisibleTaskBar, tvVisibleTaskList, tvAutoHide, tvAnimateToTray});
    shown.Start();
    shown.form.SetVisible(true);
    shown.logic->ApplicationMinimizing();
    EXPECT_EQ(shown.shell.log, (Log{"animate", "minimize application", "hide application"}));
    EXPECT_FALSE(shown.form.Visible());
    EXPECT_FALSE(shown.tray->Visibility().Contains(tvVisibleTaskBar));
}

TEST(TrayIcon, ComponentGoingFirstRemovesTheIconAndSilencesTheLogic) {
    MainWindowTray program;
    program.Start();
    delete program.tray;
    EXPECT_EQ(program.shell.log, (Log{"stop 3", "stop 2", "unhook", "delete 0"}));
    program.shell.log.clear();
    program.Events({ev::kLeftDown, ev::kLeftUp, ev::kContextMenu});
    program.logic->TimerFired(kClickTimer);
    program.logic->TaskbarCreated();
    program.logic.reset();
    EXPECT_TRUE(program.shell.log.empty());
}
