#include "win32/controls/Win32LinkLabelPeer.h"

#include <windowsx.h>

#include <string>
#include <vector>

#include "win32/ErrorDisplay.h"
#include "win32/SystemErrorText.h"
#include "win32/WideText.h"
#include "win32/Win32Application.h"
#include "win32/Win32FormPeer.h"
#include "win32/WindowClass.h"
#include "win32/controls/Win32Canvas.h"
#include "win32/raii/DeviceContexts.h"
#include "win32/raii/GdiObjects.h"
#include "controls/linklabel/LinkLabelLayout.h"
#include "controls/linklabel/LinkLabel.h"
#include "controls/linklabel/LinkLabelRedraw.h"

namespace velora::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"TLinkLabel";

// Measures with the peer's styled fonts on one device context.
class GdiTextMeasurer : public controls::TTextMeasurer {
public:
    GdiTextMeasurer(HDC dc, Win32LinkLabelPeer& peer) : dc_(dc), peer_(peer) {}

    controls::TTextSize MeasureText(const std::string& text, controls::TFontStyles style) override {
        const std::wstring wide = Widen(text);
        const SelectedObject font(dc_, peer_.StyledFont(style));
        SIZE size{};
        GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
        return {size.cx, size.cy};
    }

private:
    HDC dc_;
    Win32LinkLabelPeer& peer_;
};

}  // namespace

Win32LinkLabelPeer::Win32LinkLabelPeer(controls::TLinkLabel& label, const Win32PeerContext& context)
    : Win32WindowPeer(label, context), label_(label) {
    RegisterWindowClass({.name = kWindowClass,
                         .procedure = &Win32LinkLabelPeer::WindowProc,
                         .instance = context.application.Instance(),
                         // The layout depends on the size: a resize repaints all.
                         .style = CS_HREDRAW | CS_VREDRAW,
                         .cursor = LoadCursorW(nullptr, IDC_ARROW)});
    CreateWindowNow();
}

Win32LinkLabelPeer::~Win32LinkLabelPeer() {
    // The base class destroys the window; its last messages must not reach
    // this half-destroyed peer.
    if (window_.Get()) SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
}

void Win32LinkLabelPeer::Build() {
    // A tab stop, named by its text.
    window_.Reset(CreateChild(kWindowClass, label_.PlainText(), 0, 0, true));
    if (!window_.Get()) ThrowLastError();
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

bool Win32LinkLabelPeer::OwnPropertyChanged(std::string_view property) {
    if (property != "LinkFocus" && !controls::OnlyRedrawsLinkLabel(property)) return false;
    Redraw();
    return true;
}

void Win32LinkLabelPeer::ApplyFont() {
    Win32WindowPeer::ApplyFont();
    Redraw();
}

void Win32LinkLabelPeer::ApplyCaption() {
    SetText(window_.Get(), label_.PlainText());
    Redraw();
}

// The focused link framed as the system frames a focused control.
void Win32LinkLabelPeer::DrawFocus(HDC dc, int left, int top) {
    const int link = label_.FocusedLink();
    const auto& areas = label_.CurrentLayout().LinkAreas;
    if (GetFocus() != window_.Get() || link < 0 || link >= static_cast<int>(areas.size())) return;
    for (const controls::TRect& r : areas[static_cast<std::size_t>(link)]) {
        const RECT frame{left + r.Left, top + r.Top, left + r.Right, top + r.Bottom};
        DrawFocusRect(dc, &frame);
    }
}

// Enter and Space open the focused link; Tab stays in the label while a
// further link follows in its direction.
LRESULT Win32LinkLabelPeer::DialogCode(const MSG* key) const {
    if (!key || key->message != WM_KEYDOWN) return 0;
    if (key->wParam == VK_RETURN || key->wParam == VK_SPACE) return label_.FocusedLink() >= 0 ? DLGC_WANTMESSAGE : 0;
    if (key->wParam == VK_TAB && label_.CanMoveFocus(GetKeyState(VK_SHIFT) >= 0)) return DLGC_WANTTAB;
    return 0;
}

bool Win32LinkLabelPeer::KeyDown(WPARAM key) {
    if (key == VK_RETURN || key == VK_SPACE) {
        if (label_.FocusedLink() < 0) return false;
        label_.ActivateFocusedLink();
        return true;
    }
    if (key == VK_TAB) return label_.MoveFocus(GetKeyState(VK_SHIFT) >= 0);
    return false;
}

void Win32LinkLabelPeer::Redraw() {
    if (window_.Get()) InvalidateRect(window_.Get(), nullptr, FALSE);
}

void Win32LinkLabelPeer::Track(const std::function<void()>& mouseAction) {
    const auto states = [this] {
        std::vector<controls::TLinkState> result;
        const controls::TNodeTree& tree = label_.Tree();
        for (int i = 0; i < tree.LinkCount(); ++i) result.push_back(tree.Link(i)->State());
        return result;
    };
    const std::vector<controls::TLinkState> before = states();
    mouseAction();
    if (states() != before) Redraw();
}

HFONT Win32LinkLabelPeer::StyledFont(controls::TFontStyles style) { return context_.formPeer.FontFor(label_, style); }

// Without Transparent the label's own colour; with it, whatever the form
// paints behind the label.
void Win32LinkLabelPeer::PaintBackground(HDC dc, const RECT& client) {
    if (!label_.Transparent()) {
        const OwnedBrush brush(CreateSolidBrush(ToColorRef(label_.Color())));
        FillRect(dc, &client, brush.Get());
        return;
    }
    HWND parent = GetParent(window_.Get());
    POINT offset{0, 0};
    MapWindowPoints(window_.Get(), parent, &offset, 1);
    POINT oldOrigin{};
    SetViewportOrgEx(dc, -offset.x, -offset.y, &oldOrigin);
    const bool erased = parent && SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0;
    SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    if (!erased) FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

void Win32LinkLabelPeer::Paint(HDC target) {
    RECT client{};
    GetClientRect(window_.Get(), &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return;

    // Drawn off screen first: no flicker when a link changes colour.
    const MemoryDC memory(CreateCompatibleDC(target));
    const OwnedBitmap bitmap(CreateCompatibleBitmap(target, width, height));
    if (!memory || !bitmap) return;
    const HDC dc = memory.Get();
    const SelectedObject canvas(dc, bitmap.Get());
    PaintBackground(dc, client);

    GdiTextMeasurer measurer(dc, *this);
    if (!label_.Arrange(measurer, Scale())) {
        // The height followed the text: the window is resized and painted anew.
        ApplyBounds();
        Redraw();
        return;
    }
    // The text stays inside the margins.
    const int left = label_.OriginX();
    const int top = label_.OriginY();
    IntersectClipRect(dc, left, top, left + width - 2 * label_.MarginWidth() + 1,
                      top + height - 2 * label_.MarginHeight() + 1);
    SetBkMode(dc, TRANSPARENT);
    SelectedObject font(dc, StyledFont({}));
    for (const controls::TPlacedWord& word : label_.CurrentLayout().Words) {
        const std::wstring text = Widen(word.Text);
        font.Select(StyledFont(word.Style));
        SetTextColor(dc, ToColorRef(label_.WordColor(word)));
        TextOutW(dc, left + word.Bounds.Left, top + word.Bounds.Top, text.c_str(), static_cast<int>(text.size()));
    }
    DrawFocus(dc, left, top);
    BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
}

LRESULT Win32LinkLabelPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_PAINT: {
            const PaintDC dc(window_.Get());
            Paint(dc.Get());
            return 0;
        }
        case WM_GETDLGCODE:
            return DialogCode(reinterpret_cast<const MSG*>(lParam));
        case WM_KEYDOWN:
            if (KeyDown(wParam)) return 0;
            break;
        case WM_CHAR:
            // Enter and Space acted on the key itself: no beep.
            if (wParam == L'\r' || wParam == L' ') return 0;
            break;
        case WM_SETFOCUS:
            // Shift+Tab arrives at the last link, anything else at the first.
            label_.EnterFocus(GetKeyState(VK_SHIFT) >= 0 || GetKeyState(VK_TAB) >= 0);
            Redraw();
            return 0;
        case WM_KILLFOCUS:
            label_.LeaveFocus();
            Redraw();
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                POINT at{};
                GetCursorPos(&at);
                ScreenToClient(window_.Get(), &at);
                if (label_.LinkAt(at.x, at.y) >= 0) {
                    SetCursor(LoadCursorW(nullptr, IDC_HAND));
                    return TRUE;
                }
            }
            break;
        case WM_MOUSEMOVE:
            if (!trackingLeave_) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_.Get(), 0};
                trackingLeave_ = TrackMouseEvent(&track) != FALSE;
            }
            Track([&] { label_.MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); });
            return 0;
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            Track([&] { label_.MouseLeave(); });
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            SetCapture(window_.Get());
            Track([&] { label_.MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); });
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            // Released first: the click's handler may open windows of its own.
            if (GetCapture() == window_.Get()) ReleaseCapture();
            Track([&] { label_.MouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); });
            return 0;
        case WM_CAPTURECHANGED:
            Track([&] { label_.MouseCancel(); });
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_.Get(), message, wParam, lParam);
}

LRESULT CALLBACK Win32LinkLabelPeer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* peer = reinterpret_cast<Win32LinkLabelPeer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!peer || peer->window_.Get() != window) return DefWindowProcW(window, message, wParam, lParam);
    return HandleShowingErrors(window, [&] { return peer->HandleMessage(message, wParam, lParam); });
}

std::unique_ptr<Win32ControlPeer> CreateLinkLabelPeer(component::TComponent& component, Win32PeerContext& context) {
    auto* label = dynamic_cast<controls::TLinkLabel*>(&component);
    if (label == nullptr) return nullptr;
    return std::make_unique<Win32LinkLabelPeer>(*label, context);
}

}  // namespace velora::win32
