#include "platform/win32/controls/Win32MenuPeer.h"

#include "platform/win32/WideText.h"
#include "ui/controls/Menus.h"

namespace velora::win32 {

Win32MenuPeer::Win32MenuPeer(ui::TPopupMenu& menu, const Win32PeerContext& context)
    : menu_(menu), context_(context) {}

Win32MenuPeer::~Win32MenuPeer() {
    // DestroyMenu destroys the submenus with it.
    if (handle_) DestroyMenu(handle_);
}

HMENU Win32MenuPeer::Menu() {
    if (stale_ || !handle_) Build();
    return handle_;
}

void Win32MenuPeer::Build() {
    if (handle_) DestroyMenu(handle_);
    commands_.clear();
    handle_ = CreatePopupMenu();
    AddItems(handle_, menu_.Items());
    stale_ = false;
}

void Win32MenuPeer::AddItems(HMENU menu, const ui::TMenuItem& parent) {
    for (int i = 0; i < parent.Count(); ++i) {
        ui::TMenuItem& item = *parent.Items(i);
        if (!item.Visible()) continue;
        if (item.IsLine()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string caption = item.Caption();
        // A tab puts the shortcut's text into the right-hand column.
        if (item.ShortCut() != 0) caption += "\t" + ui::ShortCutToText(item.ShortCut());
        UINT flags = MF_STRING | (item.Enabled() ? MF_ENABLED : MF_GRAYED) | (item.Checked() ? MF_CHECKED : 0);
        UINT_PTR id = 0;
        if (item.Count() > 0) {
            HMENU submenu = CreatePopupMenu();
            AddItems(submenu, item);
            flags |= MF_POPUP;
            id = reinterpret_cast<UINT_PTR>(submenu);
        } else {
            // Command ids start at 1: TrackPopupMenu's 0 means "nothing chosen".
            const UINT command = static_cast<UINT>(commands_.size()) + 1;
            commands_[command] = &item;
            id = command;
        }
        AppendMenuW(menu, flags, id, Widen(caption).c_str());
    }
}

ui::TMenuItem* Win32MenuPeer::ItemOfCommand(UINT command) const {
    const auto found = commands_.find(command);
    return found == commands_.end() ? nullptr : found->second;
}

void Win32MenuPeer::Popup(POINT screenPoint, HWND owner) {
    if (!owner) owner = context_.formWindow;
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
    if (ui::TMenuItem* item = ItemOfCommand(command)) item->Click();
}

}  // namespace velora::win32
