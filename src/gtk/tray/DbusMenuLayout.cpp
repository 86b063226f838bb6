#include "gtk/tray/DbusMenuLayout.h"

#include "gtk/AnsiText.h"
#include "controls/Menus.h"

namespace velora::gtk {

namespace {

void AddChildren(std::vector<DbusMenuEntry>& entries, std::size_t parentAt, const controls::TMenuItem& parent) {
    for (int i = 0; i < parent.Count(); ++i) {
        controls::TMenuItem* item = parent.Items(i);
        if (!item->Visible()) continue;
        DbusMenuEntry entry;
        entry.id = static_cast<int>(entries.size());
        entry.parent = entries[parentAt].id;
        entry.item = item;
        entry.separator = item->IsLine();
        if (!entry.separator) entry.label = MnemonicUtf8(item->Caption());
        entry.enabled = item->Enabled();
        entry.checked = item->Checked();
        entries[parentAt].children.push_back(entry.id);
        entries.push_back(entry);
        AddChildren(entries, entries.size() - 1, *item);
    }
}

}  // namespace

std::vector<DbusMenuEntry> DbusMenuEntries(const controls::TMenuItem& root) {
    std::vector<DbusMenuEntry> entries(1);
    AddChildren(entries, 0, root);
    return entries;
}

}  // namespace velora::gtk
