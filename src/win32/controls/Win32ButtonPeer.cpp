#include "win32/controls/Win32ButtonPeer.h"

#include "controls/Button.h"
#include "controls/CheckBox.h"

namespace velora::win32 {

Win32ButtonPeer::Win32ButtonPeer(controls::TButton& button, const Win32PeerContext& context)
    : Win32WindowPeer(button, context), button_(button) {
    CreateWindowNow();
}

DWORD Win32ButtonPeer::ButtonStyle() const { return button_.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON; }

void Win32ButtonPeer::Build() {
    window_.Reset(CreateChild(L"BUTTON", button_.Caption(), ButtonStyle() | WS_GROUP, 0, true));
}

bool Win32ButtonPeer::OwnPropertyChanged(std::string_view property) {
    if (property != "Default") return false;
    // BM_SETSTYLE changes the button's kind and redraws it (lParam TRUE).
    SendMessageW(window_.Get(), BM_SETSTYLE, ButtonStyle(), TRUE);
    return true;
}

bool Win32ButtonPeer::HandleCommand(HWND, WORD notifyCode) {
    if (notifyCode != BN_CLICKED) return false;
    button_.Click();
    return true;
}

Win32CheckBoxPeer::Win32CheckBoxPeer(controls::TCheckBox& checkBox, const Win32PeerContext& context)
    : Win32WindowPeer(checkBox, context), checkBox_(checkBox) {
    CreateWindowNow();
}

void Win32CheckBoxPeer::Build() {
    window_.Reset(CreateChild(L"BUTTON", checkBox_.Caption(), BS_AUTOCHECKBOX | WS_GROUP, 0, true));
    SendMessageW(window_.Get(), BM_SETCHECK, checkBox_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32CheckBoxPeer::OwnPropertyChanged(std::string_view property) {
    if (property != "Checked") return false;
    const bool shown = SendMessageW(window_.Get(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (!writingModel_ && shown != checkBox_.Checked())
        SendMessageW(window_.Get(), BM_SETCHECK, checkBox_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    return true;
}

bool Win32CheckBoxPeer::HandleCommand(HWND, WORD notifyCode) {
    if (notifyCode != BN_CLICKED) return false;
    // BS_AUTOCHECKBOX has toggled itself before it notifies.
    const bool checked = SendMessageW(window_.Get(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    FlagGuard guard(writingModel_);
    checkBox_.SetChecked(checked);
    return true;
}

}  // namespace velora::win32
