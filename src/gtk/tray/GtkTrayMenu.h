#pragma once
// The tray menu as a GTK popup at the pointer, for hosts that do not read
// the exported menu and ask the item to show it itself.

namespace velora::controls {
class TMenuItem;
class TPopupMenu;
}  // namespace velora::controls

namespace velora::gtk {

// Shows the menu until it closes; the entry the user chose, if any.
controls::TMenuItem* RunTrayMenu(const controls::TPopupMenu& menu);

}  // namespace velora::gtk
