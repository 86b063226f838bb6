#include "controls/tray/TrayIconLogic.h"

#include <algorithm>

#include "controls/tray/TrayTip.h"
#include "controls/Form.h"

namespace velora::controls {

TrayImage ChooseTrayImage(const TTrayIcon& tray) {
    const std::optional<int> icons = tray.Icons();
    if (icons && tray.IconIndex() >= 0 && tray.IconIndex() < *icons)
        return {TrayImageSource::ImageListEntry, tray.IconIndex(), {}};
    if (!tray.Icon().Empty()) return {TrayImageSource::Icon, 0, tray.Icon()};
    return {TrayImageSource::ApplicationIcon, 0, {}};
}

TrayIconLogic::TrayIconLogic(TTrayIcon& tray, TrayShell& shell) : tray_(&tray), shell_(shell) {
    // The component may go before its peer (the forms are freed before their
    // windows): the icon is removed then, and nothing touches it afterwards.
    tray.SetDestroyHook([this] { Destroy(); });
}

TrayIconLogic::~TrayIconLogic() { Destroy(); }

void TrayIconLogic::Loaded() {
    if (loaded_ || tray_ == nullptr) return;
    loaded_ = true;
    const ShellVersion shell = shell_.Version();
    hint_ = TrayHintForShell(tray_->Hint(), shell);
    record_.image = ChooseTrayImage(*tray_);
    if (tray_->Active()) Activate();
    const TTrayVisibilities visibility = tray_->Visibility();
    if (!visibility.Contains(tvVisibleTaskBar)) {
        shell_.HideApplicationWindow();
        hiddenSinceStart_ = true;
    }
    if (!visibility.Contains(tvVisibleTaskList)) shell_.RegisterServiceProcess();
}

void TrayIconLogic::PropertyChanged(std::string_view property) {
    if (!loaded_ || tray_ == nullptr) return;
    if (property == "Active") {
        if (tray_->Active()) {
            Activate();
        } else {
            Deactivate();
        }
    } else if (property == "Icon" || property == "IconIndex") {
        ShowChosenImage();
    } else if (property == "Icons") {
        ShowChosenImage();
        UpdateAnimationTimer();
    } else if (property == "Animated" || property == "Delay") {
        UpdateAnimationTimer();
    } else if (property == "Hint") {
        HintChanged();
    }
}

void TrayIconLogic::Activate() {
    record_.image = ChooseTrayImage(*tray_);
    record_.tip = TrayTipText(hint_, shell_.Version());
    hintChanged_ = false;
    if (!hookInstalled_) {
        shell_.InstallApplicationHook();
        hookInstalled_ = true;
    }
    AddIcon();
}

void TrayIconLogic::Deactivate() {
    if (animating_) {
        shell_.StopTimer(kAnimationTimer);
        animating_ = false;
    }
    if (hookInstalled_) {
        shell_.RemoveApplicationHook();
        hookInstalled_ = false;
    }
    if (added_) DeleteIcon();
}

void TrayIconLogic::AddIcon() {
    const bool shell5 = shell_.Version().IsAtLeast5();
    record_.version = shell5 ? 3 : 0;
    // A refused add (an icon that is still there) leaves the bookkeeping as it was.
    if (shell_.NotifyIcon(TrayOperation::Add, kTrayFlagMessage | kTrayFlagIcon | kTrayFlagTip, record_))
        added_ = true;
    if (shell5) shell_.SetIconVersion(record_);
    UpdateAnimationTimer();
}

void TrayIconLogic::DeleteIcon() {
    shell_.NotifyIcon(TrayOperation::Delete, 0, record_);
    added_ = false;
}

// The animation only steps through an image list; without one the timer
// would wake the program ten times a second for nothing, so it does not run.
void TrayIconLogic::UpdateAnimationTimer() {
    const bool wanted = tray_->Active() && tray_->Animated() && tray_->Icons().has_value();
    if (wanted) {
        shell_.StartTimer(kAnimationTimer, static_cast<unsigned>(std::max(0, tray_->Delay())));
        animating_ = true;
    } else if (animating_) {
        shell_.StopTimer(kAnimationTimer);
        animating_ = false;
    }
}

void TrayIconLogic::ShowChosenImage() {
    record_.image = ChooseTrayImage(*tray_);
    if (added_) shell_.NotifyIcon(TrayOperation::Modify, kTrayFlagIcon, record_);
}

// The shell hears of a new hint at the next mouse movement over the icon.
void TrayIconLogic::HintChanged() {
    std::string hint = TrayHintForShell(tray_->Hint(), shell_.Version());
    if (hint == hint_) return;
    hint_ = std::move(hint);
    hintChanged_ = true;
}

void TrayIconLogic::SendChangedTip() {
    if (!hintChanged_) return;
    hintChanged_ = false;
    record_.tip = TrayTipText(hint_, shell_.Version());
    if (added_) shell_.NotifyIcon(TrayOperation::Modify, kTrayFlagTip, record_);
}

void TrayIconLogic::Notify(unsigned event) {
    if (tray_ == nullptr) return;
    using namespace tray_event;
    switch (event) {
        case kMouseMove: SendChangedTip(); break;
        case kLeftDown:
        case kRightDown:
        case kMiddleDown: buttonDown_ = true; break;
        case kLeftUp: ButtonUp(component::mbLeft); break;
        case kRightUp: ButtonUp(component::mbRight); break;
        case kMiddleUp: ButtonUp(component::mbMiddle); break;
        case kLeftDoubleClick: DoubleClick(component::mbLeft); break;
        case kRightDoubleClick: DoubleClick(component::mbRight); break;
        case kMiddleDoubleClick: DoubleClick(component::mbMiddle); break;
        case kContextMenu:
        case kKeySelect: ShowContextMenu(); break;
        default: break;  // balloons: the program shows none
    }
}

void TrayIconLogic::ButtonUp(component::TMouseButton button) {
    if (buttonDown_) {
        buttonDown_ = false;
        const TTrayVisibilities visibility = tray_->Visibility();
        const bool clickWanted =
            tray_->OnClick || (button == component::mbLeft && (tray_->DropDownMenu() != nullptr ||
                                                    visibility.Contains(tvRestoreClick) ||
                                                    visibility.Contains(tvMinimizeClick)));
        if (clickWanted) {
            const Click click{button, shell_.ShiftState(), shell_.CursorPosition()};
            const bool doubleClickPossible = tray_->OnDblClick || visibility.Contains(tvRestoreDbClick) ||
                                             visibility.Contains(tvMinimizeDbClick);
            if (doubleClickPossible) {
                // Wait whether a double click follows; it drops this click.
                pending_ = click;
                if (!clickPending_) {
                    clickPending_ = true;
                    shell_.StartTimer(kClickTimer, shell_.DoubleClickTime());
                }
            } else {
                PerformClick(click);
            }
        }
    }
    // Older shells send no context-menu notification: the right button's
    // release stands for it.
    if (tray_ != nullptr && button == component::mbRight && !shell_.Version().IsAtLeast5()) ShowContextMenu();
}

void TrayIconLogic::DoubleClick(component::TMouseButton button) {
    clickPending_ = false;
    shell_.StopTimer(kClickTimer);
    if (tray_->OnDblClick) {
        const TrayPoint at = shell_.CursorPosition();
        tray_->OnDblClick(tray_, button, shell_.ShiftState(), at.x, at.y);
    }
}

void TrayIconLogic::TimerFired(int timer) {
    if (tray_ == nullptr) return;
    switch (timer) {
        case kClickTimer:
            shell_.StopTimer(kClickTimer);
            if (clickPending_) {
                clickPending_ = false;
                PerformClick(pending_);
            }
            break;
        case kAnimationTimer: {
            const std::optional<int> icons = tray_->Icons();
            if (icons && *icons > 0) {
                const int next = tray_->IconIndex() + 1;
                tray_->SetIconIndex(next >= 0 && next < *icons ? next : 0);
            }
            break;
        }
        case kBalloonTimer: shell_.StopTimer(kBalloonTimer); break;
        default: break;
    }
}

// The restore and minimise actions of the click flags are not carried out:
// the program sets none of those flags.
void TrayIconLogic::PerformClick(const Click& click) {
    if (tray_->OnClick) tray_->OnClick(tray_, click.button, click.shift, click.at.x, click.at.y);
    if (tray_ == nullptr || click.button != component::mbLeft) return;
    if (TPopupMenu* menu = tray_->DropDownMenu()) ShowMenu(*menu, click.at);
}

void TrayIconLogic::ShowContextMenu() {
    if (TPopupMenu* menu = tray_->PopupMenu()) ShowMenu(*menu, shell_.CursorPosition());
}

// The chosen entry runs after the menu has closed and the null message is
// on its way, so a dialog it opens does not hold the menu's loop up.
void TrayIconLogic::ShowMenu(TPopupMenu& menu, TrayPoint at) {
    shell_.MakeHiddenWindowForeground();
    TMenuItem* chosen = shell_.TrackPopupMenu(menu, at);
    shell_.PostNullMessage();
    if (chosen != nullptr) chosen->Click();
}

void TrayIconLogic::TaskbarCreated() {
    if (!loaded_ || tray_ == nullptr) return;
    DeleteIcon();
    if (tray_->Active()) AddIcon();
}

void TrayIconLogic::EndSession(bool ending) {
    if (!loaded_ || tray_ == nullptr) return;
    if (ending) {
        DeleteIcon();
    } else if (tray_->Active()) {
        AddIcon();
    }
}

void TrayIconLogic::ApplicationMinimizing() {
    if (tray_ == nullptr) return;
    if (tray_->Visibility().Contains(tvAutoHide) && tray_->Active()) HideToTray();
}

// With the application hidden since the start (the program's case) only the
// application's window is hidden again; the minimise that follows is the
// application window's own.
void TrayIconLogic::HideToTray() {
    TTrayVisibilities visibility = tray_->Visibility();
    if (!hiddenSinceStart_ && !shell_.ApplicationMinimized()) {
        auto* mainWindow = dynamic_cast<TForm*>(tray_->Owner());
        if (tray_->Snap() && mainWindow != nullptr) {
            if (visibility.Contains(tvAnimateToTray)) shell_.AnimateMainWindowToTray();
            mainWindow->Hide();
        }
        shell_.MinimizeApplication();
    }
    shell_.HideApplicationWindow();
    visibility.Exclude(tvVisibleTaskBar);
    tray_->SetVisibility(visibility);
}

void TrayIconLogic::Destroy() {
    if (tray_ == nullptr) return;
    shell_.StopTimer(kClickTimer);
    shell_.StopTimer(kBalloonTimer);
    clickPending_ = false;
    Deactivate();
    tray_->SetDestroyHook(nullptr);
    tray_ = nullptr;
}

}  // namespace velora::controls
