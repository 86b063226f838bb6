#include "win32/controls/Win32GroupBoxPeer.h"

#include <commctrl.h>

#include "controls/GroupBox.h"

namespace velora::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;

LRESULT CALLBACK GroupBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    if (message == WM_ERASEBKGND) {
        RECT inside{};
        GetClientRect(window, &inside);
        FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &GroupBoxProc, id);
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void FillGroupBoxInside(HWND groupBox) {
    if (groupBox) SetWindowSubclass(groupBox, &GroupBoxProc, kSubclassId, 0);
}

Win32GroupBoxPeer::Win32GroupBoxPeer(controls::TGroupBox& groupBox, const Win32PeerContext& context)
    : Win32WindowPeer(groupBox, context), groupBox_(groupBox) {
    CreateWindowNow();
}

void Win32GroupBoxPeer::Build() {
    window_.Reset(CreateChild(L"BUTTON", groupBox_.Caption(), BS_GROUPBOX | WS_GROUP, 0, false));
    FillGroupBoxInside(window_.Get());
}

void Win32GroupBoxPeer::CollectZOrder(std::vector<HWND>&, std::vector<HWND>& frames) const {
    frames.push_back(window_.Get());
}

}  // namespace velora::win32
