#include "win32/controls/Win32MemoPeer.h"

#include <commctrl.h>

#include "controls/Memo.h"

namespace velora::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;

// A multi-line edit asks the dialog manager for every key: Tab and Esc go
// to the dialog instead (the focus moves on, the dialog closes), and so
// does Enter where the text is read-only (the default button).
LRESULT CALLBACK MemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &MemoProc, id);
    LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_GETDLGCODE && lParam) {
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const bool readOnly = (GetWindowLongPtrW(window, GWL_STYLE) & ES_READONLY) != 0;
        if (key->message == WM_KEYDOWN &&
            (key->wParam == VK_TAB || key->wParam == VK_ESCAPE || (readOnly && key->wParam == VK_RETURN)))
            result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
    }
    return result;
}

}  // namespace

Win32MemoPeer::Win32MemoPeer(controls::TMemo& memo, const Win32PeerContext& context)
    : Win32WindowPeer(memo, context), memo_(memo) {
    CreateWindowNow();
}

void Win32MemoPeer::Build() {
    DWORD style = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_GROUP;
    const auto bars = memo_.ScrollBars();
    if (bars == controls::ssVertical || bars == controls::ssBoth) style |= WS_VSCROLL;
    if (bars == controls::ssHorizontal || bars == controls::ssBoth) style |= WS_HSCROLL;
    // Without ES_AUTOHSCROLL a multi-line edit wraps its lines.
    if (!memo_.WordWrap()) style |= ES_AUTOHSCROLL;
    if (memo_.ReadOnly()) style |= ES_READONLY;
    window_.Reset(CreateChild(L"EDIT", JoinedLines(), style, WS_EX_CLIENTEDGE, true));
    if (window_.Get()) SetWindowSubclass(window_.Get(), &MemoProc, kSubclassId, 0);
}

std::string Win32MemoPeer::JoinedLines() const {
    std::string text;
    const component::TStrings& lines = memo_.Lines();
    for (int i = 0; i < lines.Count(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

bool Win32MemoPeer::OwnPropertyChanged(std::string_view property) {
    if (property == "Lines") {
        const std::string text = JoinedLines();
        if (!writingModel_ && WindowText(window_.Get()) != text) SetText(window_.Get(), text);
    } else if (property == "ReadOnly") {
        SendMessageW(window_.Get(), EM_SETREADONLY, memo_.ReadOnly(), 0);
        InvalidateRect(window_.Get(), nullptr, TRUE);
    } else if (property == "ScrollBars" || property == "WordWrap") {
        // An edit takes these styles only when it is created.
        Recreate();
    } else {
        return false;
    }
    return true;
}

bool Win32MemoPeer::HandleCommand(HWND, WORD notifyCode) {
    if (notifyCode != EN_CHANGE || memo_.ReadOnly()) return false;
    FlagGuard guard(writingModel_);
    memo_.Lines().SetText(WindowText(window_.Get()));
    return true;
}

HBRUSH Win32MemoPeer::HandleControlColor(HWND, HDC dc) {
    // A read-only edit asks with WM_CTLCOLORSTATIC and would get the dialog
    // background; the memo keeps the window colours.
    if (!memo_.ReadOnly() || !IsWindowEnabled(window_.Get())) return nullptr;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
}

}  // namespace velora::win32
