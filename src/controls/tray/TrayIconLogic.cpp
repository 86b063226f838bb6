#include "controls/tray/TrayIconLogic.h"

#include <algorithm>

#include "controls/tray/TrayTip.h"

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
    hint_ = TrayHintForShell(tray_->Hint(), shell_.TipRules());
    record_.image = ChooseTrayImage(*tray_);
    if (tray_->Active()) Activate();
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
    record_.tip = TrayTipText(hint_, shell_.TipRules());
    hintChanged_ = false;
    AddIcon();
}

void TrayIconLogic::Deactivate() {
    if (animating_) {
        shell_.StopTimer(TrayTimer::Animation);
        animating_ = false;
    }
    if (added_) DeleteIcon();
}

void TrayIconLogic::AddIcon() {
    // A refused add (an icon that is still there) leaves the bookkeeping as it was.
    if (shell_.AddIcon(record_)) added_ = true;
    UpdateAnimationTimer();
}

void TrayIconLogic::DeleteIcon() {
    shell_.RemoveIcon();
    added_ = false;
}

// The animation only steps through an image list; without one the timer
// would wake the program ten times a second for nothing, so it does not run.
void TrayIconLogic::UpdateAnimationTimer() {
    const bool wanted = tray_->Active() && tray_->Animated() && tray_->Icons().has_value();
    if (wanted) {
        shell_.StartTimer(TrayTimer::Animation, static_cast<unsigned>(std::max(0, tray_->Delay())));
        animating_ = true;
    } else if (animating_) {
        shell_.StopTimer(TrayTimer::Animation);
        animating_ = false;
    }
}

void TrayIconLogic::ShowChosenImage() {
    record_.image = ChooseTrayImage(*tray_);
    if (added_) shell_.ShowImage(record_);
}

// The shell hears of a new hint at the next pointer movement over the icon.
void TrayIconLogic::HintChanged() {
    std::string hint = TrayHintForShell(tray_->Hint(), shell_.TipRules());
    if (hint == hint_) return;
    hint_ = std::move(hint);
    hintChanged_ = true;
}

void TrayIconLogic::PointerMoved() {
    if (tray_ == nullptr || !hintChanged_) return;
    hintChanged_ = false;
    record_.tip = TrayTipText(hint_, shell_.TipRules());
    if (added_) shell_.ShowTip(record_);
}

void TrayIconLogic::Clicked(const TrayPointer& pointer) {
    if (tray_ == nullptr) return;
    const TTrayVisibilities visibility = tray_->Visibility();
    const bool clickWanted =
        tray_->OnClick || (pointer.button == component::mbLeft &&
                           (tray_->DropDownMenu() != nullptr || visibility.Contains(tvRestoreClick) ||
                            visibility.Contains(tvMinimizeClick)));
    if (!clickWanted) return;
    const bool activationPossible = tray_->OnDblClick || visibility.Contains(tvRestoreDbClick) ||
                                    visibility.Contains(tvMinimizeDbClick);
    if (!activationPossible) {
        PerformClick(pointer);
        return;
    }
    // Wait whether a double click follows; it drops this click.
    pending_ = pointer;
    if (!clickPending_) {
        clickPending_ = true;
        shell_.StartTimer(TrayTimer::Click, shell_.DoubleClickTime());
    }
}

void TrayIconLogic::Activated(const TrayPointer& pointer) {
    if (tray_ == nullptr) return;
    clickPending_ = false;
    shell_.StopTimer(TrayTimer::Click);
    if (tray_->OnDblClick) tray_->OnDblClick(tray_, pointer.button, pointer.shift, pointer.at.x, pointer.at.y);
}

void TrayIconLogic::ContextMenuRequested(TrayPoint at) {
    if (tray_ == nullptr) return;
    if (TPopupMenu* menu = tray_->PopupMenu()) ShowMenu(*menu, at);
}

// The program shows no balloons of its own; one clicked is gone, so is its
// time-out.
void TrayIconLogic::BalloonClicked() {
    if (tray_ == nullptr) return;
    shell_.StopTimer(TrayTimer::Balloon);
    if (tray_->OnBalloonClick) tray_->OnBalloonClick(tray_);
}

void TrayIconLogic::TimerFired(TrayTimer timer) {
    if (tray_ == nullptr) return;
    switch (timer) {
        case TrayTimer::Click:
            shell_.StopTimer(TrayTimer::Click);
            if (clickPending_) {
                clickPending_ = false;
                PerformClick(pending_);
            }
            break;
        case TrayTimer::Animation: {
            const std::optional<int> icons = tray_->Icons();
            if (icons && *icons > 0) {
                const int next = tray_->IconIndex() + 1;
                tray_->SetIconIndex(next >= 0 && next < *icons ? next : 0);
            }
            break;
        }
        case TrayTimer::Balloon: shell_.StopTimer(TrayTimer::Balloon); break;
    }
}

// The restore and minimise actions of the click flags are not carried out:
// the program sets none of those flags.
void TrayIconLogic::PerformClick(const TrayPointer& click) {
    if (tray_->OnClick) tray_->OnClick(tray_, click.button, click.shift, click.at.x, click.at.y);
    if (tray_ == nullptr || click.button != component::mbLeft) return;
    if (TPopupMenu* menu = tray_->DropDownMenu()) ShowMenu(*menu, click.at);
}

// The chosen entry runs after the menu has closed, so a dialog it opens
// does not hold the menu up.
void TrayIconLogic::ShowMenu(TPopupMenu& menu, TrayPoint at) {
    if (TMenuItem* chosen = shell_.ShowMenu(menu, at)) chosen->Click();
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

void TrayIconLogic::Destroy() {
    if (tray_ == nullptr) return;
    shell_.StopTimer(TrayTimer::Click);
    shell_.StopTimer(TrayTimer::Balloon);
    clickPending_ = false;
    Deactivate();
    tray_->SetDestroyHook(nullptr);
    tray_ = nullptr;
}

}  // namespace velora::controls
