#pragma once
// The model of the notification-area icon: its settings and events. Talking
// to the shell (adding the icon, the hidden window, timers, showing the
// menus) is the peer's part; the click rules are in tray/TrayIconLogic.h.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "component/Component.h"
#include "component/Events.h"
#include "controls/Menus.h"

namespace velora::controls {

enum TTrayVisibility : std::uint8_t {
    tvVisibleTaskBar, tvVisibleTaskList, tvAutoHide, tvAutoHideIcon, tvVisibleDesign,
    tvRestoreClick, tvRestoreDbClick, tvMinimizeClick, tvMinimizeDbClick, tvAnimateToTray
};
using TTrayVisibilities = component::EnumSet<TTrayVisibility, std::uint16_t>;
inline constexpr std::string_view kTrayVisibilityNames[] = {
    "tvVisibleTaskBar", "tvVisibleTaskList", "tvAutoHide",        "tvAutoHideIcon",    "tvVisibleDesign",
    "tvRestoreClick",   "tvRestoreDbClick",  "tvMinimizeClick",   "tvMinimizeDbClick", "tvAnimateToTray"};
inline constexpr component::EnumType TrayVisibilityType{"TTrayVisibility", kTrayVisibilityNames};
inline constexpr component::SetType TrayVisibilitiesType{"TTrayVisibilities", TrayVisibilityType};

// An icon named by where it comes from; the platform side loads the image.
enum class TIconSource : std::uint8_t { None, Application, Resource };
struct TIcon {
    TIconSource source = TIconSource::None;
    int resourceId = 0;  // the program's icon resource, for TIconSource::Resource

    static TIcon ApplicationIcon() { return {TIconSource::Application, 0}; }
    static TIcon FromResource(int id) { return {TIconSource::Resource, id}; }
    bool Empty() const { return source == TIconSource::None; }
    bool operator==(const TIcon&) const = default;
};

class TTrayIcon : public component::TComponent {
public:
    explicit TTrayIcon(component::TComponent* owner);
    ~TTrayIcon() override;

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    // The icon is in the notification area.
    bool Active() const { return active_; }
    void SetActive(bool active);
    // Step IconIndex through the image list every Delay milliseconds.
    bool Animated() const { return animated_; }
    void SetAnimated(bool animated);
    int Delay() const { return delay_; }
    void SetDelay(int delay);
    // The image shown when no image list is set.
    const TIcon& Icon() const { return icon_; }
    void SetIcon(const TIcon& icon);
    // The image list for the animation, known here only by its number of
    // images; none when unset (the program sets none).
    std::optional<int> Icons() const { return icons_; }
    void SetIcons(std::optional<int> imageCount);
    int IconIndex() const { return iconIndex_; }
    void SetIconIndex(int index);
    // The tip text; the part before the first "|" is shown.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    // Hide the main window together with the application when hiding to the tray.
    bool Snap() const { return snap_; }
    void SetSnap(bool snap);
    TTrayVisibilities Visibility() const { return visibility_; }
    void SetVisibility(TTrayVisibilities visibility);

    // Menus shown on a single left click and on a right click. References
    // to components of the same owner; cleared when that component goes.
    TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(TPopupMenu* menu);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);

    // Raised by the peer, with the button, the shift state and the cursor
    // position in screen coordinates.
    component::TMouseEvent OnClick;
    component::TMouseEvent OnDblClick;
    // The user clicked the balloon the icon showed.
    component::TNotifyEvent OnBalloonClick;

    // For the side that shows the icon: called once as the component is
    // destroyed, so it can take the icon away while the values still exist.
    void SetDestroyHook(std::function<void()> hook) { destroyHook_ = std::move(hook); }

protected:
    void ComponentRemoved(component::TComponent& component) override;

private:
    bool active_ = false;
    bool animated_ = false;
    int delay_ = 100;
    TIcon icon_;
    std::optional<int> icons_;
    int iconIndex_ = 0;
    std::string hint_;
    bool snap_ = false;
    TTrayVisibilities visibility_{tvVisibleTaskBar, tvVisibleTaskList, tvAutoHide};
    TPopupMenu* dropDownMenu_ = nullptr;
    TPopupMenu* popupMenu_ = nullptr;
    std::function<void()> destroyHook_;
};

}  // namespace velora::controls
