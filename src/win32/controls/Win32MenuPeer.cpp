#include "win32/controls/Win32MenuPeer.h"

#include "win32/Win32FormPeer.h"
#include "controls/Menus.h"

namespace velora::win32 {

Win32MenuPeer::Win32MenuPeer(controls::TPopupMenu& menu, const Win32PeerContext& context)
    : menu_(menu), context_(context) {}

HMENU Win32MenuPeer::Menu() {
    if (stale_ || !built_) {
        built_.reset();  // the old menu goes before the new one is built
        built_.emplace(menu_.Items());
        stale_ = false;
    }
    return built_->Handle();
}

controls::TMenuItem* Win32MenuPeer::ItemOfCommand(UINT command) const {
    return built_ ? built_->ItemOfCommand(command) : nullptr;
}

void Win32MenuPeer::Popup(POINT screenPoint, HWND owner) {
    if (!owner) {
        // The form's window may not exist yet: a menu works while its form
        // was never shown.
        context_.formPeer.EnsureWindow();
        owner = context_.formPeer.Handle();
    }
    HMENU menu = Menu();
    // The owner must be the foreground window, or the menu stays open when
    // the user clicks elsewhere (a menu of a notification icon).
    SetForegroundWindow(owner);
    // TPM_RETURNCMD: the choice comes back here instead of as WM_COMMAND.
    const UINT command = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screenPoint.x, screenPoint.y, 0, owner, nullptr));
    // A message to the owner after the menu lets the next one open at once.
    PostMessageW(owner, WM_NULL, 0, 0);
    // The menu has closed: the item's handler may show windows of its own.
    if (controls::TMenuItem* item = ItemOfCommand(command)) item->Click();
}

}  // namespace velora::win32
