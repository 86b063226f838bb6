#include "win32/controls/Win32ComboBoxPeer.h"

#include <commctrl.h>

#include <algorithm>

#include "win32/WideText.h"
#include "win32/controls/Win32Canvas.h"
#include "win32/raii/DeviceContexts.h"
#include "controls/ComboBox.h"
#include "controls/DpiScale.h"

namespace velora::win32 {

Win32ComboBoxPeer::Win32ComboBoxPeer(controls::TComboBox& comboBox, const Win32PeerContext& context)
    : Win32WindowPeer(comboBox, context), comboBox_(comboBox) {
    CreateWindowNow();
}

bool Win32ComboBoxPeer::OwnerDrawn() const {
    return comboBox_.Style() == controls::csOwnerDrawFixed || comboBox_.Style() == controls::csOwnerDrawVariable;
}

DWORD Win32ComboBoxPeer::ComboStyle() const {
    // No CBS_SORT: the model's order is the list's order.
    switch (comboBox_.Style()) {
        case controls::csDropDown: return CBS_DROPDOWN | CBS_AUTOHSCROLL;
        case controls::csSimple: return CBS_SIMPLE | CBS_AUTOHSCROLL;
        case controls::csDropDownList: return CBS_DROPDOWNLIST;
        // CBS_HASSTRINGS: the list keeps the texts, so it can still find
        // entries by typed letters and report their text.
        case controls::csOwnerDrawFixed: return CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
        case controls::csOwnerDrawVariable: return CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS;
    }
    return CBS_DROPDOWN;
}

void Win32ComboBoxPeer::Build() {
    window_.Reset(CreateChild(L"COMBOBOX", "", ComboStyle() | WS_VSCROLL | WS_GROUP, 0, true));
    ApplyItemHeight();
    FillItems();
    ApplyBounds();
}

void Win32ComboBoxPeer::ApplyItemHeight() {
    if (!OwnerDrawn()) return;
    // Index 0 sets the height of the list's entries, -1 that of the
    // selection field, which gets the height of a plain combo's field.
    SendMessageW(window_.Get(), CB_SETITEMHEIGHT, 0, Scale().ToDevice(comboBox_.ItemHeight()));
    SendMessageW(window_.Get(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), TextHeight() + 2);
}

void Win32ComboBoxPeer::FillItems() {
    SendMessageW(window_.Get(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(window_.Get(), CB_RESETCONTENT, 0, 0);
    // The texts the entries show: screen readers read them, and typed
    // letters find them. The drawing takes the model's entries by index.
    const component::TStrings& items = comboBox_.Items();
    for (int i = 0; i < items.Count(); ++i)
        SendMessageW(window_.Get(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(comboBox_.ItemText(i)).c_str()));
    SendMessageW(window_.Get(), WM_SETREDRAW, TRUE, 0);
    ApplySelection();
    InvalidateRect(window_.Get(), nullptr, TRUE);
}

void Win32ComboBoxPeer::ApplySelection() {
    // CB_SETCURSEL with -1 clears the selection.
    if (SendMessageW(window_.Get(), CB_GETCURSEL, 0, 0) != comboBox_.ItemIndex())
        SendMessageW(window_.Get(), CB_SETCURSEL, static_cast<WPARAM>(comboBox_.ItemIndex()), 0);
}

void Win32ComboBoxPeer::ApplyFont() {
    Win32WindowPeer::ApplyFont();
    ApplyItemHeight();
    ApplyBounds();
}

void Win32ComboBoxPeer::ApplyBounds() {
    RECT r = BoundsOnForm();
    if (comboBox_.Style() != controls::csSimple) {
        // A drop-down combo's window height is the field plus the dropped
        // list; GetWindowRect reports the field alone.
        RECT field{};
        GetWindowRect(window_.Get(), &field);
        const int entry = static_cast<int>(SendMessageW(window_.Get(), CB_GETITEMHEIGHT, 0, 0));
        const int count = std::max(comboBox_.DropDownCount(), 1);
        r.bottom = r.top + (field.bottom - field.top) + entry * count + 2;
        // With common controls 6 the list shows this many entries.
        SendMessageW(window_.Get(), CB_SETMINVISIBLE, static_cast<WPARAM>(count), 0);
    }
    SetWindowPos(window_.Get(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

bool Win32ComboBoxPeer::OwnPropertyChanged(std::string_view property) {
    if (property == "Items" || property == "Sorted") {
        FillItems();
    } else if (property == "ItemIndex") {
        if (!writingModel_) ApplySelection();
    } else if (property == "Style") {
        Recreate();
    } else if (property == "ItemHeight") {
        ApplyItemHeight();
        ApplyBounds();
    } else if (property == "DropDownCount") {
        ApplyBounds();
    } else {
        return false;
    }
    return true;
}

bool Win32ComboBoxPeer::HandleCommand(HWND, WORD notifyCode) {
    if (notifyCode != CBN_SELCHANGE) return false;
    const int index = static_cast<int>(SendMessageW(window_.Get(), CB_GETCURSEL, 0, 0));
    {
        FlagGuard guard(writingModel_);
        comboBox_.SetItemIndex(index);
    }
    if (comboBox_.OnChange) comboBox_.OnChange(&comboBox_);
    return true;
}

bool Win32ComboBoxPeer::HandleMeasureItem(MEASUREITEMSTRUCT& item) {
    if (static_cast<int>(item.itemID) < 0) return false;
    item.itemHeight = static_cast<UINT>(Scale().ToDevice(comboBox_.ItemHeight()));
    return true;
}

bool Win32ComboBoxPeer::HandleDrawItem(DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const SelectedObject font(dc, Font());

    controls::TOwnerDrawState state;
    if (selected) state.Include(controls::odSelected);
    if (item.itemState & ODS_GRAYED) state.Include(controls::odGrayed);
    if (disabled) state.Include(controls::odDisabled);
    if (item.itemState & ODS_CHECKED) state.Include(controls::odChecked);
    if (item.itemState & ODS_FOCUS) state.Include(controls::odFocused);
    if (item.itemState & ODS_COMBOBOXEDIT) state.Include(controls::odComboBoxEdit);

    Win32Canvas canvas(dc, Scale());
    const controls::TRect rect = ToTRect(item.rcItem);
    const int index = static_cast<int>(item.itemID);
    // itemID is -1 for an empty selection field: only the background.
    if (index < 0 || index >= comboBox_.Items().Count()) {
        canvas.FillRect(rect);
    } else if (comboBox_.OnDrawItem) {
        comboBox_.DrawItem(canvas, index, rect, state);
    } else {
        canvas.FillRect(rect);
        canvas.DrawTextAt(rect.Left + 2, rect.Top, comboBox_.Items()[index]);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &item.rcItem);
    return true;
}

}  // namespace velora::win32
