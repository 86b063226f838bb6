#pragma once
// A model menu as a native popup menu (HMENU), built once from the items as
// they stand; the menu peer and the tray icon both show their menus as one.
// Captions keep their "&" accelerators and show an item's shortcut in the
// right-hand column, "-" is a separator, hidden items are left out,
// disabled ones greyed, checked ones checked; an item with items of its own
// becomes a submenu. The leaf items get the command ids 1, 2, ... in menu
// order: TrackPopupMenu's 0 means "nothing chosen".

#include <windows.h>

#include <vector>

#include "win32/raii/UniqueHandle.h"

namespace velora::controls {
class TMenuItem;
}  // namespace velora::controls

namespace velora::win32 {

// Destroys the submenus with the menu.
struct DestroyPopupMenu {
    bool operator()(HMENU menu) const noexcept { return DestroyMenu(menu) != FALSE; }
};

using OwnedMenu = UniqueHandle<NullHandleTraits<HMENU, DestroyPopupMenu>>;

class NativePopupMenu {
public:
    // The items of `root`, the menu's invisible top item.
    explicit NativePopupMenu(const controls::TMenuItem& root);

    // nullptr when the system could not create the menu.
    HMENU Handle() const { return menu_.Get(); }
    // The item behind a command id; nullptr for 0 and any id not in the menu.
    controls::TMenuItem* ItemOfCommand(UINT command) const;

private:
    void AddItems(HMENU menu, const controls::TMenuItem& parent);

    OwnedMenu menu_;
    std::vector<controls::TMenuItem*> commands_;
};

}  // namespace velora::win32
