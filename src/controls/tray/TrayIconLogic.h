#pragma once
// The behaviour of the tray icon, apart from the system calls: when the icon
// is added, changed and removed, what the user's actions do (the single
// click that waits for the double-click time, the activation, the context
// menu), the timers, a re-created notification area and the end of the
// log-on. The platform's peer reports the user's actions as TrayEvents and
// does what the logic asks through TrayShell.

#include <string>
#include <string_view>

#include "controls/TrayIcon.h"
#include "controls/tray/TrayEvents.h"
#include "controls/tray/TrayShell.h"

namespace velora::controls {

// The image to show: the image-list entry IconIndex when a list is set and
// the index is valid, else Icon when it is not empty, else the application's.
TrayImage ChooseTrayImage(const TTrayIcon& tray);

class TrayIconLogic final : public TrayEvents {
public:
    TrayIconLogic(TTrayIcon& tray, TrayShell& shell);
    ~TrayIconLogic() override;
    TrayIconLogic(const TrayIconLogic&) = delete;
    TrayIconLogic& operator=(const TrayIconLogic&) = delete;

    // The component's values are in place (the form is built): choose the
    // image and add the icon when Active.
    void Loaded();
    // A published value of the component changed.
    void PropertyChanged(std::string_view property);

    void Activated(const TrayPointer& pointer) override;
    void Clicked(const TrayPointer& pointer) override;
    void ContextMenuRequested(TrayPoint at) override;
    void PointerMoved() override;
    void BalloonClicked() override;

    void TimerFired(TrayTimer timer);
    // The notification area was created anew, without the icon.
    void TaskbarCreated();
    // The log-on ends (true) or the end was cancelled (false).
    void EndSession(bool ending);
    // Stops the timers and removes the icon. Runs once, when the component
    // or the peer goes first.
    void Destroy();

    // The component; nullptr once destroyed.
    TTrayIcon* Tray() const { return tray_; }
    bool IconAdded() const { return added_; }
    bool ClickPending() const { return clickPending_; }
    const TrayRecord& Record() const { return record_; }

private:
    void Activate();
    void Deactivate();
    void AddIcon();
    void DeleteIcon();
    void UpdateAnimationTimer();
    void ShowChosenImage();
    void HintChanged();
    void PerformClick(const TrayPointer& click);
    void ShowMenu(TPopupMenu& menu, TrayPoint at);

    TTrayIcon* tray_;  // nullptr once destroyed
    TrayShell& shell_;
    TrayRecord record_;
    // The hint as kept for the shell (see TrayHintForShell).
    std::string hint_;
    bool loaded_ = false;
    bool added_ = false;
    bool animating_ = false;
    bool hintChanged_ = false;
    bool clickPending_ = false;
    TrayPointer pending_;
};

}  // namespace velora::controls
