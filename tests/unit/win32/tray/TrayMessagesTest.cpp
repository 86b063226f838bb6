// The shell's notifications as the events of the tray contract.
#ifdef _WIN32

#include "win32/tray/TrayMessages.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

using namespace velora;
using namespace velora::win32;

namespace {

class RecordedEvents : public controls::TrayEvents {
public:
    void Activated(const controls::TrayPointer& p) override { Note("activated", p.button, p.shift, p.at); }
    void Clicked(const controls::TrayPointer& p) override { Note("clicked", p.button, p.shift, p.at); }
    void ContextMenuRequested(controls::TrayPoint at) override {
        log.push_back("menu at " + std::to_string(at.x) + "," + std::to_string(at.y));
    }
    void PointerMoved() override { log.push_back("moved"); }
    void BalloonClicked() override { log.push_back("balloon"); }

    std::vector<std::string> log;

private:
    void Note(const char* what, component::TMouseButton button, component::TShiftState shift,
              controls::TrayPoint at) {
        log.push_back(std::string(what) + " " + std::to_string(button) +
                      (shift.Contains(component::ssShift) ? " shift" : "") + " at " + std::to_string(at.x) + "," +
                      std::to_string(at.y));
    }
};

using Log = std::vector<std::string>;

}  // namespace

TEST(TrayMessages, PressAndReleaseMakeAClickAndTheDoubleClickAnActivation) {
    RecordedEvents events;
    TrayMessageMapper messages(events, true);
    const component::TShiftState shift{component::ssShift};
    for (UINT notification : std::initializer_list<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        messages.Deliver(notification, shift, {7, 8});
    EXPECT_EQ(events.log, (Log{"clicked 0 shift at 7,8", "activated 0 shift at 7,8"}));

    // Each button for itself; a release without a press is no click.
    events.log.clear();
    messages.Deliver(WM_MBUTTONUP, {}, {1, 2});
    messages.Deliver(WM_RBUTTONDOWN, {}, {1, 2});
    messages.Deliver(WM_RBUTTONUP, {}, {3, 4});
    messages.Deliver(WM_MBUTTONDBLCLK, {}, {5, 6});
    messages.Deliver(WM_RBUTTONDBLCLK, {}, {5, 6});
    EXPECT_EQ(events.log, (Log{"clicked 1 at 3,4", "activated 2 at 5,6", "activated 1 at 5,6"}));
}

TEST(TrayMessages, ContextMenuComesOnceOnEveryShell) {
    RecordedEvents current;
    TrayMessageMapper messages(current, true);
    for (UINT notification : std::initializer_list<UINT>{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU})
        messages.Deliver(notification, {}, {10, 20});
    messages.Deliver(NIN_KEYSELECT, {}, {30, 40});
    EXPECT_EQ(current.log, (Log{"clicked 1 at 10,20", "menu at 10,20", "menu at 30,40"}));

    // Shells before 5.0 send no context-menu notification: the right
    // button's release stands for it, noted press or not.
    RecordedEvents old;
    TrayMessageMapper oldMessages(old, false);
    for (UINT notification : std::initializer_list<UINT>{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONUP})
        oldMessages.Deliver(notification, {}, {1, 2});
    EXPECT_EQ(old.log, (Log{"clicked 1 at 1,2", "menu at 1,2", "menu at 1,2"}));
}

TEST(TrayMessages, MovesAndTheBalloonsClickArriveOtherBalloonNewsDoNot) {
    RecordedEvents events;
    TrayMessageMapper messages(events, true);
    for (UINT notification : std::initializer_list<UINT>{WM_MOUSEMOVE, NIN_BALLOONSHOW, NIN_BALLOONHIDE,
                                                         NIN_BALLOONTIMEOUT, NIN_BALLOONUSERCLICK, NIN_SELECT})
        messages.Deliver(notification, {}, {0, 0});
    EXPECT_EQ(events.log, (Log{"moved", "balloon"}));
}

#endif  // _WIN32
