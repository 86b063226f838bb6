#include "win32/controls/Win32PanelPeer.h"

#include "win32/WideText.h"
#include "win32/controls/Win32Canvas.h"
#include "win32/raii/DeviceContexts.h"
#include "controls/EffectiveFont.h"
#include "controls/Panel.h"

namespace velora::win32 {

Win32PanelPeer::Win32PanelPeer(controls::TPanel& panel, const Win32PeerContext& context)
    : Win32WindowPeer(panel, context), panel_(panel) {
    CreateWindowNow();
}

void Win32PanelPeer::Build() {
    window_.Reset(CreateChild(L"STATIC", panel_.Caption(), SS_OWNERDRAW | WS_GROUP, 0, false));
}

void Win32PanelPeer::CollectZOrder(std::vector<HWND>&, std::vector<HWND>& frames) const {
    frames.push_back(window_.Get());
}

bool Win32PanelPeer::OwnPropertyChanged(std::string_view property) {
    if (property != "BevelOuter" && property != "Color") return false;
    InvalidateRect(window_.Get(), nullptr, TRUE);
    return true;
}

void Win32PanelPeer::ApplyCaption() {
    Win32WindowPeer::ApplyCaption();
    InvalidateRect(window_.Get(), nullptr, TRUE);
}

bool Win32PanelPeer::HandleDrawItem(DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    SetBkColor(dc, ToColorRef(panel_.Color()));
    Win32Canvas(dc).FillRect(ToTRect(r));
    switch (panel_.BevelOuter()) {
        case controls::bvRaised: DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST); break;
        case controls::bvLowered: DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST); break;
        default: break;
    }
    if (!panel_.Caption().empty()) {
        const std::wstring caption = Widen(panel_.Caption());
        const SelectedObject font(dc, Font());
        SetTextColor(dc, ToColorRef(controls::EffectiveFont(panel_).Color));
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    return true;
}

}  // namespace velora::win32
