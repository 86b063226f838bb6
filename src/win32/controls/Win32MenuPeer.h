#pragma once
// A popup menu: a Windows menu (HMENU) built from the model's items (see
// NativePopupMenu.h), built anew after any item changed.

#include <optional>

#include "win32/Win32ControlPeer.h"
#include "win32/controls/NativePopupMenu.h"

namespace velora::controls {
class TMenuItem;
class TPopupMenu;
}  // namespace velora::controls

namespace velora::win32 {

class Win32MenuPeer : public Win32ControlPeer {
public:
    Win32MenuPeer(controls::TPopupMenu& menu, const Win32PeerContext& context);
    Win32MenuPeer(const Win32MenuPeer&) = delete;
    Win32MenuPeer& operator=(const Win32MenuPeer&) = delete;

    HWND Handle() const override { return nullptr; }
    // A change of the menu or of any of its items: built anew when next
    // asked for.
    void PropertyChanged(std::string_view property) override { stale_ = true; }
    void MenuChanged(const controls::TPopupMenu& menu) override {
        if (&menu == &menu_) stale_ = true;
    }

    // The menu as it stands now.
    HMENU Menu();
    // Shows the menu at a point of the screen and waits until it closes;
    // then runs the chosen item's Click. `owner` gets the menu's messages
    // (nullptr: the form's window). An exception from the item's handler
    // goes to the caller.
    void Popup(POINT screenPoint, HWND owner = nullptr);
    // The item behind a command id of Menu(); nullptr for none.
    controls::TMenuItem* ItemOfCommand(UINT command) const;

private:
    controls::TPopupMenu& menu_;
    Win32PeerContext context_;
    std::optional<NativePopupMenu> built_;
    bool stale_ = true;
};

}  // namespace velora::win32
