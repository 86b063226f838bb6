#pragma once
// The tray menu as the com.canonical.dbusmenu protocol describes it: each
// visible entry of the model gets an id (1, 2, ... in menu order; 0 is the
// root), a label with its mnemonic, its enabled state, and separators their
// type. Built anew from the model for every question the host asks, so the
// menu always shows the entries as they are (translated, enabled).

#include <string>
#include <vector>

namespace velora::controls {
class TMenuItem;
}  // namespace velora::controls

namespace velora::gtk {

struct DbusMenuEntry {
    int id = 0;
    int parent = 0;
    controls::TMenuItem* item = nullptr;  // nullptr for the root
    std::string label;              // UTF-8, "_" before the mnemonic
    bool separator = false;
    bool enabled = true;
    bool checked = false;
    std::vector<int> children;
};

// The entries of `root`'s submenu, the root first (id 0). Hidden items are
// left out.
std::vector<DbusMenuEntry> DbusMenuEntries(const controls::TMenuItem& root);

}  // namespace velora::gtk
