#include "controls/TrayIcon.h"

namespace velora::controls {

const component::ClassInfo& TTrayIcon::StaticClass() {
    static const component::ClassInfo info{"TTrayIcon", &component::TComponent::StaticClass(), {
        component::Prop::Boolean("Active", &TTrayIcon::Active, &TTrayIcon::SetActive),
        component::Prop::Boolean("Animated", &TTrayIcon::Animated, &TTrayIcon::SetAnimated),
        component::Prop::Integer("Delay", &TTrayIcon::Delay, &TTrayIcon::SetDelay),
        component::Prop::Object("DropDownMenu", &TTrayIcon::DropDownMenu, &TTrayIcon::SetDropDownMenu),
        component::Prop::String("Hint", &TTrayIcon::Hint, &TTrayIcon::SetHint),
        component::Prop::Integer("IconIndex", &TTrayIcon::IconIndex, &TTrayIcon::SetIconIndex),
        component::Prop::Object("PopupMenu", &TTrayIcon::PopupMenu, &TTrayIcon::SetPopupMenu),
        component::Prop::Boolean("Snap", &TTrayIcon::Snap, &TTrayIcon::SetSnap),
        component::Prop::Set("Visibility", TrayVisibilitiesType, &TTrayIcon::Visibility, &TTrayIcon::SetVisibility),
    }};
    return info;
}

TTrayIcon::TTrayIcon(component::TComponent* owner) : component::TComponent(owner) {}

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

void TTrayIcon::ComponentRemoved(component::TComponent& component) {
    if (dropDownMenu_ == &component) SetDropDownMenu(nullptr);
    if (popupMenu_ == &component) SetPopupMenu(nullptr);
}

}  // namespace velora::controls
