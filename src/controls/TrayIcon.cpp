#include "ui/controls/TrayIcon.h"

namespace velora::ui {

const ClassInfo& TTrayIcon::StaticClass() {
    static const ClassInfo info{"TTrayIcon", &TComponent::StaticClass(), {
        Prop::Boolean("Active", &TTrayIcon::Active, &TTrayIcon::SetActive),
        Prop::Boolean("Animated", &TTrayIcon::Animated, &TTrayIcon::SetAnimated),
        Prop::Integer("Delay", &TTrayIcon::Delay, &TTrayIcon::SetDelay),
        Prop::Object("DropDownMenu", &TTrayIcon::DropDownMenu, &TTrayIcon::SetDropDownMenu),
        Prop::String("Hint", &TTrayIcon::Hint, &TTrayIcon::SetHint),
        Prop::Integer("IconIndex", &TTrayIcon::IconIndex, &TTrayIcon::SetIconIndex),
        Prop::Object("PopupMenu", &TTrayIcon::PopupMenu, &TTrayIcon::SetPopupMenu),
        Prop::Boolean("Snap", &TTrayIcon::Snap, &TTrayIcon::SetSnap),
        Prop::Set("Visibility", TrayVisibilitiesType, &TTrayIcon::Visibility, &TTrayIcon::SetVisibility),
    }};
    return info;
}

TTrayIcon::TTrayIcon(TComponent* owner) : TComponent(owner) {}

TTrayIcon::~TTrayIcon() {
    if (auto hook = std::move(destroyHook_)) hook();
}

void TTrayIcon::SetActive(bool active) { ChangeValue(active_, active, "Active"); }
void TTrayIcon::SetAnimated(bool animated) { ChangeValue(animated_, animated, "Animated"); }
void TTrayIcon::SetDelay(int delay) { ChangeValue(delay_, delay, "Delay"); }
void TTrayIcon::SetIcon(const TIcon& icon) { ChangeValue(icon_, icon, "Icon"); }
void TTrayIcon::SetIcons(std::optional<int> imageCount) { ChangeValue(icons_, imageCount, "Icons"); }
void TTrayIcon::SetIconIndex(int index) { ChangeValue(iconIndex_, index, "IconIndex"); }
void TTrayIcon::SetHint(const std::string& hint) { ChangeValue(hint_, hint, "Hint"); }
void TTrayIcon::SetSnap(bool snap) { ChangeValue(snap_, snap, "Snap"); }
void TTrayIcon::SetVisibility(TTrayVisibilities visibility) { ChangeValue(visibility_, visibility, "Visibility"); }
void TTrayIcon::SetDropDownMenu(TPopupMenu* menu) { ChangeValue(dropDownMenu_, menu, "DropDownMenu"); }
void TTrayIcon::SetPopupMenu(TPopupMenu* menu) { ChangeValue(popupMenu_, menu, "PopupMenu"); }

void TTrayIcon::ComponentRemoved(TComponent& component) {
    if (dropDownMenu_ == &component) SetDropDownMenu(nullptr);
    if (popupMenu_ == &component) SetPopupMenu(nullptr);
}

}  // namespace velora::ui
