#include "win32/controls/Win32LabelPeer.h"

#include "win32/WideText.h"
#include "win32/controls/Win32Canvas.h"
#include "win32/raii/DeviceContexts.h"
#include "controls/EffectiveFont.h"
#include "controls/Label.h"

namespace velora::win32 {

Win32LabelPeer::Win32LabelPeer(controls::TLabel& label, const Win32PeerContext& context)
    : Win32WindowPeer(label, context), label_(label) {
    CreateWindowNow();
}

void Win32LabelPeer::Build() {
    // SS_NOTIFY: clicks reach the label (OnClick) and the hint's tooltip;
    // without it a static lets the mouse through to the form.
    window_.Reset(CreateChild(L"STATIC", label_.Caption(), TextStyle() | SS_NOTIFY, 0, false));
    if (label_.AutoSize()) ApplyBounds();
}

DWORD Win32LabelPeer::TextStyle() const {
    DWORD style = SS_LEFT;
    switch (label_.Alignment()) {
        case controls::taCenter: style = SS_CENTER; break;
        case controls::taRightJustify: style = SS_RIGHT; break;
        default: style = label_.WordWrap() ? SS_LEFT : SS_LEFTNOWORDWRAP; break;
    }
    // SS_CENTERIMAGE centres a single line vertically.
    if (label_.Layout() == controls::tlCenter && !label_.WordWrap()) style |= SS_CENTERIMAGE;
    return style;
}

bool Win32LabelPeer::OwnPropertyChanged(std::string_view property) {
    if (property == "Alignment" || property == "WordWrap" || property == "Layout") {
        constexpr LONG_PTR kTextStyles = SS_TYPEMASK | SS_CENTERIMAGE;
        const LONG_PTR style = GetWindowLongPtrW(window_.Get(), GWL_STYLE) & ~kTextStyles;
        SetWindowLongPtrW(window_.Get(), GWL_STYLE, style | static_cast<LONG_PTR>(TextStyle()));
        InvalidateRect(window_.Get(), nullptr, TRUE);
        ApplyBounds();
        return true;
    }
    if (property == "AutoSize") {
        ApplyBounds();
        return true;
    }
    return false;
}

void Win32LabelPeer::ApplyBounds() {
    RECT r = BoundsOnForm();
    if (label_.AutoSize()) {
        // The text's extent in the label's font; an empty text keeps the
        // height of one line.
        std::wstring text = Widen(label_.Caption());
        if (text.empty()) text = L" ";
        RECT extent{0, 0, label_.WordWrap() ? r.right - r.left : 0, 0};
        const ClientDC dc(window_.Get());
        const SelectedObject font(dc.Get(), Font());
        DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent,
                  DT_CALCRECT | DT_EXPANDTABS | (label_.WordWrap() ? DT_WORDBREAK : 0));
        if (!label_.WordWrap()) r.right = r.left + (extent.right - extent.left);
        r.bottom = r.top + (extent.bottom - extent.top);
    }
    SetWindowPos(window_.Get(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void Win32LabelPeer::ApplyCaption() {
    Win32WindowPeer::ApplyCaption();
    if (label_.AutoSize()) ApplyBounds();
}

void Win32LabelPeer::ApplyFont() {
    Win32WindowPeer::ApplyFont();
    if (label_.AutoSize()) ApplyBounds();
    InvalidateRect(window_.Get(), nullptr, TRUE);
}

bool Win32LabelPeer::HandleCommand(HWND, WORD notifyCode) {
    if (notifyCode != STN_CLICKED) return false;
    label_.Click();
    return true;
}

HBRUSH Win32LabelPeer::HandleControlColor(HWND, HDC dc) {
    const controls::TColor color = controls::EffectiveFont(label_).Color;
    if (color == controls::clWindowText) return nullptr;
    SetTextColor(dc, ToColorRef(color));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace velora::win32
