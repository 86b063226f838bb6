#pragma once
// The behaviour of the tray icon, apart from the system calls: when the icon
// is added, changed and removed, what the shell's notifications do (the
// single click that waits for the double-click time, the double click, the
// context menu), the timers, the re-created taskbar, the end of the log-on
// and hiding to the tray. The platform's peer feeds it the messages of its
// hidden window and does what it asks through TrayShell.

#include <string>
#include <string_view>

#include "controls/tray/TrayShell.h"
#include "controls/TrayIcon.h"

namespace velora::controls {

// The image to show: the image-list entry IconIndex when a list is set and
// the index is valid, else Icon when it is not empty, else the application's.
TrayImage ChooseTrayImage(const TTrayIcon& tray);

class TrayIconLogic {
public:
    TrayIconLogic(TTrayIcon& tray, TrayShell& shell);
    ~TrayIconLogic();
    TrayIconLogic(const TrayIconLogic&) = delete;
    TrayIconLogic& operator=(const TrayIconLogic&) = delete;

    // The component's values are in place (the form is built): choose the
    // image, add the icon when Active, and hide the taskbar button and leave
    // the task list as Visibility asks.
    void Loaded();
    // A published value of the component changed.
    void PropertyChanged(std::string_view property);

    // The callback message arrived with `event` as its second parameter.
    void Notify(unsigned event);
    void TimerFired(int timer);
    // The shell announced a new taskbar ("TaskbarCreated").
    void TaskbarCreated();
    // Windows asks whether the log-on may end: always yes.
    bool QueryEndSession() const { return true; }
    // The log-on ends (true) or the end was cancelled (false).
    void EndSession(bool ending);
    // The application's window got the system command to minimise; it is
    // passed on to its normal handling afterwards.
    void ApplicationMinimizing();
    // Stops the timers, unhooks the application's window and removes the
    // icon. Runs once, when the component or the peer goes first.
    void Destroy();

    bool IconAdded() const { return added_; }
    bool ClickPending() const { return clickPending_; }
    bool HiddenSinceStart() const { return hiddenSinceStart_; }
    const TrayRecord& Record() const { return record_; }

private:
    struct Click {
        component::TMouseButton button = component::mbLeft;
        component::TShiftState shift;
        TrayPoint at;
    };

    void Activate();
    void Deactivate();
    void AddIcon();
    void DeleteIcon();
    void UpdateAnimationTimer();
    void ShowChosenImage();
    void HintChanged();
    void SendChangedTip();
    void ButtonUp(component::TMouseButton button);
    void DoubleClick(component::TMouseButton button);
    void PerformClick(const Click& click);
    void ShowContextMenu();
    void ShowMenu(TPopupMenu& menu, TrayPoint at);
    void HideToTray();

    TTrayIcon* tray_;  // nullptr once destroyed
    TrayShell& shell_;
    TrayRecord record_;
    // The hint as kept for the shell (see TrayHintForShell).
    std::string hint_;
    bool loaded_ = false;
    bool added_ = false;
    bool animating_ = false;
    bool hookInstalled_ = false;
    bool hintChanged_ = false;
    bool hiddenSinceStart_ = false;
    bool buttonDown_ = false;
    bool clickPending_ = false;
    Click pending_;
};

}  // namespace velora::controls
