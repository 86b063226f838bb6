#include "win32/controls/Win32RadioGroupPeer.h"

#include <algorithm>

#include "win32/WideText.h"
#include "win32/Win32Application.h"
#include "win32/Win32FormPeer.h"
#include "win32/controls/Win32GroupBoxPeer.h"
#include "controls/FormLayout.h"
#include "controls/RadioGroup.h"
#include "controls/peers/ShownHint.h"

namespace velora::win32 {

Win32RadioGroupPeer::Win32RadioGroupPeer(controls::TRadioGroup& radioGroup, const Win32PeerContext& context)
    : Win32WindowPeer(radioGroup, context), radioGroup_(radioGroup) {
    CreateWindowNow();
}

Win32RadioGroupPeer::~Win32RadioGroupPeer() { DestroyExtraWindows(); }

void Win32RadioGroupPeer::Build() {
    window_.Reset(CreateChild(L"BUTTON", radioGroup_.Caption(), BS_GROUPBOX | WS_GROUP, 0, false));
    FillGroupBoxInside(window_.Get());
    CreateButtons();
}

void Win32RadioGroupPeer::CreateButtons() {
    const DWORD shown = (controls::VisibleOnForm(radioGroup_) ? WS_VISIBLE : 0) |
                        (controls::EnabledOnForm(radioGroup_) ? 0 : WS_DISABLED);
    const component::TStrings& items = radioGroup_.Items();
    for (int i = 0; i < items.Count(); ++i) {
        // WS_GROUP on the first button opens the group; the next control's
        // WS_GROUP closes it.
        const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | BS_AUTORADIOBUTTON | shown | (i == 0 ? WS_GROUP : 0);
        HWND button = CreateWindowExW(0, L"BUTTON", Widen(items[i]).c_str(), style, 0, 0, 0, 0, context_.formWindow,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(context_.formPeer.NewControlId())),
                                      context_.application.Instance(), nullptr);
        if (!button) continue;
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
        buttons_.push_back(button);
    }
    ApplyBounds();
    ApplySelection();
}

void Win32RadioGroupPeer::DestroyExtraWindows() {
    for (HWND button : buttons_) {
        context_.formPeer.SetHint(button, "");
        DestroyWindow(button);
    }
    buttons_.clear();
}

bool Win32RadioGroupPeer::OwnsWindow(HWND window) const {
    return window != nullptr && (window == window_.Get() || std::find(buttons_.begin(), buttons_.end(), window) != buttons_.end());
}

void Win32RadioGroupPeer::CollectZOrder(std::vector<HWND>& sequence, std::vector<HWND>& frames) const {
    sequence.insert(sequence.end(), buttons_.begin(), buttons_.end());
    frames.push_back(window_.Get());
}

void Win32RadioGroupPeer::ApplySelection() {
    const int selected = radioGroup_.ItemIndex();
    const int tabStop = selected >= 0 ? selected : 0;
    for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
        HWND button = buttons_[static_cast<size_t>(i)];
        SendMessageW(button, BM_SETCHECK, i == selected ? BST_CHECKED : BST_UNCHECKED, 0);
        LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_TABSTOP);
        if (i == tabStop && radioGroup_.TabStop()) style |= WS_TABSTOP;
        SetWindowLongPtrW(button, GWL_STYLE, style);
    }
}

bool Win32RadioGroupPeer::OwnPropertyChanged(std::string_view property) {
    if (property == "Items") {
        const component::TStrings& items = radioGroup_.Items();
        if (items.Count() == static_cast<int>(buttons_.size())) {
            // Same number of buttons (a translation): new captions only. The
            // change may come from a button's own click notification, during
            // which that button must not be destroyed.
            for (int i = 0; i < items.Count(); ++i) SetText(buttons_[static_cast<size_t>(i)], items[i]);
            ApplySelection();
        } else {
            DestroyExtraWindows();
            CreateButtons();
            ApplyHint();
            context_.formPeer.UpdateZOrder();
        }
    } else if (property == "ItemIndex" || property == "TabStop") {
        ApplySelection();
    } else if (property == "Columns") {
        ApplyBounds();
    } else {
        return false;
    }
    return true;
}

void Win32RadioGroupPeer::ApplyBounds() {
    Win32WindowPeer::ApplyBounds();
    const RECT group = BoundsOnForm();
    const auto bounds = controls::RadioButtonBounds(group.right - group.left, group.bottom - group.top,
                                              static_cast<int>(buttons_.size()), radioGroup_.Columns(), TextHeight(),
                                              Scale());
    for (size_t i = 0; i < buttons_.size() && i < bounds.size(); ++i) {
        const controls::TRect& b = bounds[i];
        SetWindowPos(buttons_[i], nullptr, group.left + b.Left, group.top + b.Top, b.Right - b.Left, b.Bottom - b.Top,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

void Win32RadioGroupPeer::ApplyVisible() {
    Win32WindowPeer::ApplyVisible();
    const int show = controls::VisibleOnForm(radioGroup_) ? SW_SHOWNA : SW_HIDE;
    for (HWND button : buttons_) ShowWindow(button, show);
}

void Win32RadioGroupPeer::ApplyEnabled() {
    Win32WindowPeer::ApplyEnabled();
    for (HWND button : buttons_) EnableWindow(button, controls::EnabledOnForm(radioGroup_));
}

void Win32RadioGroupPeer::ApplyFont() {
    Win32WindowPeer::ApplyFont();
    for (HWND button : buttons_) SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
    ApplyBounds();
}

void Win32RadioGroupPeer::ApplyHint() {
    Win32WindowPeer::ApplyHint();
    for (HWND button : buttons_) context_.formPeer.SetHint(button, controls::ShownHint(control_));
}

bool Win32RadioGroupPeer::HandleCommand(HWND child, WORD notifyCode) {
    if (notifyCode != BN_CLICKED) return false;
    const auto found = std::find(buttons_.begin(), buttons_.end(), child);
    if (found == buttons_.end()) return false;
    {
        FlagGuard guard(writingModel_);
        radioGroup_.SetItemIndex(static_cast<int>(found - buttons_.begin()));
    }
    // The model may have refused or changed the choice: show what it holds.
    ApplySelection();
    return true;
}

}  // namespace velora::win32
