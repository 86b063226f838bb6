#include "win32/tray/TrayMessages.h"

#include <shellapi.h>

namespace velora::win32 {

void TrayMessageMapper::Deliver(UINT notification, component::TShiftState shift, controls::TrayPoint at) {
    switch (notification) {
        case WM_MOUSEMOVE: events_.PointerMoved(); break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: buttonDown_ = true; break;
        case WM_LBUTTONUP: ButtonUp(component::mbLeft, shift, at); break;
        case WM_RBUTTONUP: ButtonUp(component::mbRight, shift, at); break;
        case WM_MBUTTONUP: ButtonUp(component::mbMiddle, shift, at); break;
        case WM_LBUTTONDBLCLK: events_.Activated({component::mbLeft, shift, at}); break;
        case WM_RBUTTONDBLCLK: events_.Activated({component::mbRight, shift, at}); break;
        case WM_MBUTTONDBLCLK: events_.Activated({component::mbMiddle, shift, at}); break;
        case WM_CONTEXTMENU:
        case NIN_KEYSELECT: events_.ContextMenuRequested(at); break;
        case NIN_BALLOONUSERCLICK: events_.BalloonClicked(); break;
        default: break;  // the balloon's showing, hiding and time-out
    }
}

void TrayMessageMapper::ButtonUp(component::TMouseButton button, component::TShiftState shift,
                                 controls::TrayPoint at) {
    if (buttonDown_) {
        buttonDown_ = false;
        events_.Clicked({button, shift, at});
    }
    // Older shells send no context-menu notification: the right button's
    // release stands for it.
    if (button == component::mbRight && !contextMenuNotifications_) events_.ContextMenuRequested(at);
}

}  // namespace velora::win32
