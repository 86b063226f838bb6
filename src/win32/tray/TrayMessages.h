#pragma once
// The shell's notifications for the tray icon, as the events of the tray
// contract: the callback message carries the mouse message or the shell's
// own notification in its second parameter.

#include <windows.h>

#include "component/Events.h"
#include "controls/tray/TrayEvents.h"

namespace velora::win32 {

// The callback message the shell sends the hidden window.
inline constexpr UINT kTrayCallbackMessage = WM_USER + 1;

class TrayMessageMapper {
public:
    // `contextMenuNotifications`: the shell (5.0 and later) reports the
    // right button's click as a context-menu notification of its own.
    TrayMessageMapper(controls::TrayEvents& events, bool contextMenuNotifications)
        : events_(events), contextMenuNotifications_(contextMenuNotifications) {}

    // One notification, with the keys held and the cursor position as they
    // are when it is handled.
    void Deliver(UINT notification, component::TShiftState shift, controls::TrayPoint at);

private:
    void ButtonUp(component::TMouseButton button, component::TShiftState shift, controls::TrayPoint at);

    controls::TrayEvents& events_;
    bool contextMenuNotifications_;
    // A click is a release after a press on the icon; the release that ends
    // a double click has none before it.
    bool buttonDown_ = false;
};

}  // namespace velora::win32
