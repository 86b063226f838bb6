#include "win32/controls/NativePopupMenu.h"

#include "win32/WideText.h"
#include "controls/Menus.h"

namespace velora::win32 {

NativePopupMenu::NativePopupMenu(const controls::TMenuItem& root) : menu_(CreatePopupMenu()) {
    if (menu_) AddItems(menu_.Get(), root);
}

void NativePopupMenu::AddItems(HMENU menu, const controls::TMenuItem& parent) {
    for (int i = 0; i < parent.Count(); ++i) {
        controls::TMenuItem& item = *parent.Items(i);
        if (!item.Visible()) continue;
        if (item.IsLine()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string caption = item.Caption();
        // A tab puts the shortcut's text into the right-hand column.
        if (item.ShortCut() != 0) caption += "\t" + component::ShortCutToText(item.ShortCut());
        const UINT flags = MF_STRING | (item.Enabled() ? MF_ENABLED : MF_GRAYED) | (item.Checked() ? MF_CHECKED : 0);
        if (item.Count() > 0) {
            OwnedMenu submenu(CreatePopupMenu());
            if (!submenu) continue;
            AddItems(submenu.Get(), item);
            // Once appended, the submenu is destroyed with its parent.
            if (AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.Get()),
                            Widen(caption).c_str()))
                (void)submenu.Release();
        } else {
            commands_.push_back(&item);
            AppendMenuW(menu, flags, commands_.size(), Widen(caption).c_str());
        }
    }
}

controls::TMenuItem* NativePopupMenu::ItemOfCommand(UINT command) const {
    return command >= 1 && command <= commands_.size() ? commands_[command - 1] : nullptr;
}

}  // namespace velora::win32
