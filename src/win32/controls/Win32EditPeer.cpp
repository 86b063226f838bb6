#include "win32/controls/Win32EditPeer.h"

#include <commctrl.h>

#include "win32/ErrorDisplay.h"
#include "win32/WideText.h"
#include "controls/Edit.h"

namespace velora::win32 {

namespace {
constexpr UINT_PTR kSubclassId = 1;
}

Win32EditPeer::Win32EditPeer(controls::TEdit& edit, const Win32PeerContext& context)
    : Win32WindowPeer(edit, context), edit_(edit) {
    CreateWindowNow();
}

Win32EditPeer::~Win32EditPeer() {
    if (window_.Get()) RemoveWindowSubclass(window_.Get(), &Win32EditPeer::EditProc, kSubclassId);
}

void Win32EditPeer::Build() {
    DWORD style = ES_LEFT | ES_AUTOHSCROLL | WS_GROUP;
    if (edit_.PasswordChar() != 0) style |= ES_PASSWORD;
    if (edit_.ReadOnly()) style |= ES_READONLY;
    window_.Reset(CreateChild(L"EDIT", edit_.Text(), style, WS_EX_CLIENTEDGE, true));
    // EM_SETLIMITTEXT with 0 lifts the limit (to the largest the edit takes).
    SendMessageW(window_.Get(), EM_SETLIMITTEXT, static_cast<WPARAM>(edit_.MaxLength()), 0);
    ApplyPasswordChar();
    SetWindowSubclass(window_.Get(), &Win32EditPeer::EditProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void Win32EditPeer::ApplyPasswordChar() {
    if (edit_.PasswordChar() == 0) {
        // EM_SETPASSWORDCHAR with 0 shows the characters as typed.
        SendMessageW(window_.Get(), EM_SETPASSWORDCHAR, 0, 0);
    } else {
        const std::wstring shown = Widen(std::string(1, edit_.PasswordChar()));
        SendMessageW(window_.Get(), EM_SETPASSWORDCHAR, shown.empty() ? L'*' : shown[0], 0);
    }
    InvalidateRect(window_.Get(), nullptr, TRUE);
}

bool Win32EditPeer::OwnPropertyChanged(std::string_view property) {
    if (property == "Text") {
        if (!writingModel_ && WindowText(window_.Get()) != edit_.Text()) SetText(window_.Get(), edit_.Text());
    } else if (property == "MaxLength") {
        SendMessageW(window_.Get(), EM_SETLIMITTEXT, static_cast<WPARAM>(edit_.MaxLength()), 0);
    } else if (property == "PasswordChar") {
        ApplyPasswordChar();
    } else if (property == "ReadOnly") {
        SendMessageW(window_.Get(), EM_SETREADONLY, edit_.ReadOnly(), 0);
    } else {
        return false;
    }
    return true;
}

bool Win32EditPeer::HandleCommand(HWND, WORD notifyCode) {
    if (notifyCode != EN_CHANGE) return false;
    FlagGuard guard(writingModel_);
    edit_.SetText(WindowText(window_.Get()));
    return true;
}

bool Win32EditPeer::PassKey(WPARAM& key) {
    if (!edit_.OnKeyPress) return true;
    // The model sees the character in the program's code page; one that has
    // no place there reaches it as "?".
    const wchar_t wide = static_cast<wchar_t>(key);
    char ansi = '?';
    BOOL lost = FALSE;
    if (WideCharToMultiByte(CP_ACP, 0, &wide, 1, &ansi, 1, nullptr, &lost) != 1 || lost) ansi = '?';
    char passed = ansi;
    edit_.OnKeyPress(&edit_, passed);
    if (passed == 0) return false;
    if (passed != ansi) {
        const std::wstring changed = Widen(std::string(1, passed));
        if (!changed.empty()) key = changed[0];
    }
    return true;
}

LRESULT CALLBACK Win32EditPeer::EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self) {
    if (message == WM_CHAR) {
        try {
            if (!reinterpret_cast<Win32EditPeer*>(self)->PassKey(wParam)) return 0;
        } catch (...) {
            ShowException(std::current_exception(), GetAncestor(window, GA_ROOT));
            return 0;
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &Win32EditPeer::EditProc, id);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace velora::win32
