#include "win32/Win32FormPeer.h"

#include <commctrl.h>

#include <utility>
#include <vector>

#include "win32/ErrorDisplay.h"
#include "win32/ProgramIcon.h"
#include "win32/ScreenDensity.h"
#include "win32/SystemErrorText.h"
#include "win32/WideText.h"
#include "win32/Win32Application.h"
#include "win32/WindowClass.h"
#include "win32/controls/CommonControls.h"
#include "win32/controls/ControlPeerRegistry.h"
#include "controls/Button.h"
#include "controls/DialogKeys.h"
#include "controls/EffectiveFont.h"
#include "controls/Form.h"
#include "controls/FormLayout.h"

namespace velora::win32 {

namespace {

// The longest line of a hint before the tooltip breaks it, in designed pixels.
constexpr int kHintWidth = 500;

// The system's dialog font at the window's density with the face and size
// the model chose (where it chose one) and exactly the chosen style.
LOGFONTW DescribeFont(const controls::FontChoice& choice, const controls::DpiScale& scale) {
    LOGFONTW font = MessageFontAt(static_cast<UINT>(scale.Dpi()));
    if (!choice.Name.empty()) lstrcpynW(font.lfFaceName, Widen(choice.Name).c_str(), LF_FACESIZE);
    // A negative height asks for the character height (points, not cells).
    if (choice.Size > 0) font.lfHeight = -scale.FontHeight(choice.Size);
    font.lfWeight = choice.Style.Contains(controls::fsBold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = choice.Style.Contains(controls::fsItalic) ? TRUE : FALSE;
    font.lfUnderline = choice.Style.Contains(controls::fsUnderline) ? TRUE : FALSE;
    font.lfStrikeOut = choice.Style.Contains(controls::fsStrikeOut) ? TRUE : FALSE;
    return font;
}

// A child that can take a click: shown by its own style (the form itself may
// still be hidden) and enabled.
bool Pressable(HWND child) {
    return child && (GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) && IsWindowEnabled(child);
}

// The visible, enabled top-level windows of this thread, but `except`.
std::vector<HWND> EnabledThreadWindows(HWND except) {
    struct Search {
        HWND except;
        std::vector<HWND> found;
    } search{except, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM parameter) -> BOOL {
            auto* search = reinterpret_cast<Search*>(parameter);
            if (hwnd == search->except || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
            // Nothing may unwind through the system's frames: out of memory,
            // the search ends with the windows found so far.
            try {
                search->found.push_back(hwnd);
            } catch (...) {
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return std::move(search.found);
}

}  // namespace

Win32FormPeer::Win32FormPeer(controls::TForm& form, Win32Application& application,
                             controls::WindowCreation creation)
    : form_(&form),
      application_(application),
      className_(Widen(form.ClassName())),
      peers_(form, BuiltInPeers(), *this) {
    form.SetPeer(this);
    peers_.Open(creation);
}

Win32FormPeer::~Win32FormPeer() {
    if (!window_.Get()) {
        peers_.Clear();
        return;
    }
    application_.RemoveDialogWindow(window_.Get());
    // From here on the window's messages go to the system: the form may be
    // gone already, and so may the components the peers show.
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
    peers_.Clear();
    toolTip_.Reset();
    window_.Reset();
}

Win32PeerContext Win32FormPeer::PeerContext() { return Win32PeerContext{application_, *form_, window_.Get(), *this}; }

Win32ControlPeer* Win32FormPeer::PeerOfWindow(HWND child) const {
    if (!child) return nullptr;
    for (const auto& entry : peers_.Children())
        if (entry.peer->OwnsWindow(child)) return entry.peer.get();
    return nullptr;
}

HFONT Win32FormPeer::FontFor(const controls::TControl& control) {
    return fonts_.Font(DescribeFont(controls::EffectiveFont(control), scale_));
}

HFONT Win32FormPeer::FontFor(const controls::TControl& control, controls::TFontStyles style) {
    controls::FontChoice choice = controls::EffectiveFont(control);
    choice.Style = style;
    return fonts_.Font(DescribeFont(choice, scale_));
}

void Win32FormPeer::SetHint(HWND tool, const std::string& hint) {
    if (!tool || (!toolTip_.Get() && hint.empty())) return;
    if (!toolTip_.Get()) {
        UseCommonControls();
        toolTip_.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_.Get(), nullptr,
                                       application_.Instance(), nullptr));
        if (!toolTip_.Get()) return;
        // A tip breaks its lines at CR LF only once it has a maximum width.
        SendMessageW(toolTip_.Get(), TTM_SETMAXTIPWIDTH, 0, scale_.ToDevice(kHintWidth));
        // Long hints need time to be read.
        SendMessageW(toolTip_.Get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, 15000);
    }
    // The size without lpReserved: accepted by every version of the control.
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = window_.Get();
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    SendMessageW(toolTip_.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    if (hint.empty()) return;
    std::wstring text = Widen(hint);
    // TTF_SUBCLASS: the tooltip watches the tool's mouse messages itself.
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.lpszText = text.data();
    SendMessageW(toolTip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void Win32FormPeer::UpdateZOrder() {
    std::vector<HWND> sequence, frames;
    for (controls::TControl* control : controls::TabSequence(*form_))
        if (Win32ControlPeer* peer = PeerOf(*control)) peer->CollectZOrder(sequence, frames);
    // Containers go below everything, the innermost above the outer ones.
    sequence.insert(sequence.end(), frames.rbegin(), frames.rend());
    // Tab follows the z-order from the top, which SetWindowPos builds here
    // by putting each window right below the one before.
    HWND after = HWND_TOP;
    for (HWND window : sequence) {
        SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        after = window;
    }
}

DWORD Win32FormPeer::Style() const {
    DWORD style = WS_CLIPCHILDREN | WS_CAPTION;
    switch (form_->BorderStyle()) {
        case controls::bsNone: style = WS_POPUP | WS_CLIPCHILDREN; break;
        case controls::bsSizeable:
        case controls::bsSizeToolWin: style |= WS_THICKFRAME; break;
        case controls::bsDialog: style |= DS_MODALFRAME; break;
        default: break;
    }
    const auto icons = form_->BorderIcons();
    if (form_->BorderStyle() != controls::bsNone && icons.Contains(controls::biSystemMenu)) {
        style |= WS_SYSMENU;
        // A dialog frame shows only the close box.
        if (form_->BorderStyle() != controls::bsDialog) {
            if (icons.Contains(controls::biMinimize)) style |= WS_MINIMIZEBOX;
            if (icons.Contains(controls::biMaximize)) style |= WS_MAXIMIZEBOX;
        }
    }
    return style;
}

DWORD Win32FormPeer::ExStyle() const {
    switch (form_->BorderStyle()) {
        case controls::bsDialog: return WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
        case controls::bsToolWindow:
        case controls::bsSizeToolWin: return WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
        default: return WS_EX_CONTROLPARENT;
    }
}

void Win32FormPeer::CreateFormWindow() {
    RegisterWindowClass({.name = className_.c_str(),
                         .procedure = &Win32FormPeer::WindowProc,
                         .instance = application_.Instance(),
                         .style = CS_DBLCLKS,
                         .icon = LoadIconW(application_.Instance(), MAKEINTRESOURCEW(kProgramIconId)),
                         .cursor = LoadCursorW(nullptr, IDC_ARROW),
                         .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});
    // Owned by the application window: no taskbar button of its own, and it
    // stays above the program's hidden window.
    window_.Reset(CreateWindowExW(ExStyle(), className_.c_str(), Widen(form_->Caption()).c_str(), Style(),
                                  CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, application_.Handle(), nullptr,
                                  application_.Instance(), this));
    if (!window_.Get()) ThrowLastError();
    scale_ = controls::DpiScale(static_cast<int>(WindowDpi(window_.Get())));
    ApplyIcons();
    ApplyBounds();
    application_.AddDialogWindow(window_.Get());
}

void Win32FormPeer::ApplyIcons() {
    const auto dpi = static_cast<UINT>(scale_.Dpi());
    OwnedIcon small = LoadIconForDpi(application_.Instance(), kProgramIconId, SM_CXSMICON, dpi);
    OwnedIcon big = LoadIconForDpi(application_.Instance(), kProgramIconId, SM_CXICON, dpi);
    // The window lets go of the old icons before they are destroyed; without
    // an icon of its own it keeps its class's.
    if (small) SendMessageW(window_.Get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
    if (big) SendMessageW(window_.Get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
    smallIcon_ = std::move(small);
    bigIcon_ = std::move(big);
}

void Win32FormPeer::ApplyBounds() {
    const controls::DpiScale before = scale_;
    PlaceWindow();
    // The move took the window to a screen of another density: its size
    // there follows from the design too.
    if (scale_ != before) PlaceWindow();
}

// Size from the client size when the form names one, else its outer size,
// both scaled to the window's density; position from the model (screen
// coordinates), or centred on the work area.
void Win32FormPeer::PlaceWindow() {
    int width = scale_.ToDevice(form_->Width()), height = scale_.ToDevice(form_->Height());
    if (form_->ClientWidth() > 0 || form_->ClientHeight() > 0) {
        RECT r{0, 0, scale_.ToDevice(form_->ClientWidth()), scale_.ToDevice(form_->ClientHeight())};
        AdjustWindowRectAt(r, Style(), ExStyle(), static_cast<UINT>(scale_.Dpi()));
        width = r.right - r.left;
        height = r.bottom - r.top;
    }
    int left = form_->Left(), top = form_->Top();
    const auto position = form_->Position();
    if (position == controls::poScreenCenter || position == controls::poDesktopCenter ||
        position == controls::poMainFormCenter || position == controls::poOwnerFormCenter) {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        left = work.left + (work.right - work.left - width) / 2;
        top = work.top + (work.bottom - work.top - height) / 2;
    }
    applyingBounds_ = true;
    SetWindowPos(window_.Get(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    applyingBounds_ = false;
}

void Win32FormPeer::PropertyChanged(component::TComponent& component, std::string_view property) {
    peers_.PropertyChanged(component, property);
}

void Win32FormPeer::FormPropertyChanged(std::string_view property) {
    if (followingWindow_ && (property == "Left" || property == "Top")) return;
    if (property == "Caption") {
        SetWindowTextW(window_.Get(), Widen(form_->Caption()).c_str());
    } else if (property == "Visible") {
        if (form_->Visible()) {
            ShowWindow(window_.Get(), SW_SHOWNORMAL);
        } else {
            ShowWindow(window_.Get(), SW_HIDE);
        }
    } else if (property == "Enabled") {
        EnableWindow(window_.Get(), form_->Enabled());
    } else if (property == "Left" || property == "Top" || property == "Width" || property == "Height" ||
               property == "ClientWidth" || property == "ClientHeight" || property == "Position") {
        ApplyBounds();
    } else if (property == "BorderStyle" || property == "BorderIcons") {
        SetWindowLongPtrW(window_.Get(), GWL_STYLE, Style() | (IsWindowVisible(window_.Get()) ? WS_VISIBLE : 0));
        SetWindowLongPtrW(window_.Get(), GWL_EXSTYLE, ExStyle());
        ApplyBounds();
    }
}

void Win32FormPeer::FollowDpi(int dpi, const RECT& suggested) {
    const controls::DpiScale scale(dpi);
    if (scale == scale_) return;
    scale_ = scale;
    ApplyIcons();
    if (toolTip_.Get()) SendMessageW(toolTip_.Get(), TTM_SETMAXTIPWIDTH, 0, scale_.ToDevice(kHintWidth));
    for (const auto& child : peers_.Children()) child.peer->DpiChanged();
    // A move of our own places the window itself once it is over.
    if (applyingBounds_) return;
    // The system's rectangle keeps the window where the user moves it; the
    // model's edges follow as after any other move.
    SetWindowPos(window_.Get(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormPeer::BringToFront(controls::TForm&) {
    EnsureWindow();
    if (IsIconic(window_.Get())) ShowWindow(window_.Get(), SW_RESTORE);
    SetForegroundWindow(window_.Get());
    BringWindowToTop(window_.Get());
}

void Win32FormPeer::RunModal(controls::TForm& form) {
    EnsureWindow();
    // The other windows of the program take no input while the dialog runs.
    const std::vector<HWND> disabled = EnabledThreadWindows(window_.Get());
    for (HWND hwnd : disabled) EnableWindow(hwnd, FALSE);
    // Given back on every way out, a failing close handler included: windows
    // left disabled would take no input for the rest of the run.
    struct EnableAgain {
        const std::vector<HWND>& windows;
        ~EnableAgain() {
            for (HWND hwnd : windows)
                if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
        }
    } enableAgain{disabled};

    for (;;) {
        // An end of the program requested meanwhile closes the dialog.
        if (application_.Terminated() && form.ModalResult() == controls::mrNone)
            form.SetModalResult(controls::mrCancel);
        if (form.ModalResult() != controls::mrNone) {
            if (form.CloseModal()) break;
            continue;
        }
        if (!application_.HandleMessage()) form.SetModalResult(controls::mrCancel);
    }
}

void Win32FormPeer::HandleError(std::exception_ptr error) { ShowException(error, window_.Get()); }

LRESULT Win32FormPeer::DefaultButtonId() const {
    // A push button with the focus takes Enter itself, else the Default one.
    HWND focus = GetFocus();
    if (focus && IsChild(window_.Get(), focus) &&
        (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
    for (const auto& child : peers_.Children()) {
        auto* button = dynamic_cast<controls::TButton*>(child.component);
        HWND handle = child.peer->Handle();
        if (button && button->Default() && Pressable(handle))
            return MAKELRESULT(GetDlgCtrlID(handle), DC_HASDEFID);
    }
    return 0;
}

void Win32FormPeer::RestoreFocus(bool orForm) {
    HWND target = lastFocus_;
    if (!target || !IsWindow(target) || !IsChild(window_.Get(), target) || !IsWindowVisible(target) ||
        !IsWindowEnabled(target))
        target = GetNextDlgTabItem(window_.Get(), nullptr, FALSE);
    if (!target && orForm) target = window_.Get();
    if (target) SetFocus(target);
}

LRESULT Win32FormPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            form_->Close();
            return 0;
        case WM_MOVE:
            // The user moved the window: the model's edges follow, so that
            // the stored position is where the window really was.
            if (!applyingBounds_ && !IsIconic(window_.Get())) {
                RECT r{};
                GetWindowRect(window_.Get(), &r);
                followingWindow_ = true;
                form_->SetLeft(r.left);
                form_->SetTop(r.top);
                followingWindow_ = false;
            }
            break;
        case WM_COMMAND: {
            HWND child = reinterpret_cast<HWND>(lParam);
            if (Win32ControlPeer* peer = PeerOfWindow(child)) {
                peer->HandleCommand(child, HIWORD(wParam));
                return 0;
            }
            // Esc through the dialog manager: IDCANCEL, with no child window.
            // The cancel button, else the form closes as by its close box.
            if (!child && LOWORD(wParam) == IDCANCEL) {
                controls::CancelDialog(*form_);
                return 0;
            }
            break;
        }
        case DM_GETDEFID:
            return DefaultButtonId();
        case WM_DPICHANGED:
            if (lParam) FollowDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            LRESULT result = 0;
            if (Win32ControlPeer* peer = PeerOfWindow(header->hwndFrom))
                if (peer->HandleNotify(*header, result)) return result;
            break;
        }
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (item->CtlType != ODT_MENU)
                if (Win32ControlPeer* peer = PeerOfWindow(item->hwndItem))
                    if (peer->HandleDrawItem(*item)) return TRUE;
            break;
        }
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            // Sent while a list is being created too, before its peer exists:
            // the peer sets the heights itself afterwards.
            if (item->CtlType != ODT_MENU)
                if (Win32ControlPeer* peer = PeerOfWindow(GetDlgItem(window_.Get(), static_cast<int>(item->CtlID))))
                    if (peer->HandleMeasureItem(*item)) return TRUE;
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: {
            HWND child = reinterpret_cast<HWND>(lParam);
            if (Win32ControlPeer* peer = PeerOfWindow(child))
                if (HBRUSH brush = peer->HandleControlColor(child, reinterpret_cast<HDC>(wParam)))
                    return reinterpret_cast<LRESULT>(brush);
            break;
        }
        case WM_ACTIVATE:
            // The focus leaves with the form and comes back to the same child.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(window_.Get(), focus)) lastFocus_ = focus;
            } else if (!HIWORD(wParam)) {
                RestoreFocus(true);
            }
            return 0;
        case WM_SETFOCUS:
            RestoreFocus(false);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_.Get(), message, wParam, lParam);
}

LRESULT CALLBACK Win32FormPeer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* peer = reinterpret_cast<Win32FormPeer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!peer || !peer->window_.Get()) return DefWindowProcW(window, message, wParam, lParam);
    return HandleShowingErrors(window, [&] { return peer->HandleMessage(message, wParam, lParam); });
}

}  // namespace velora::win32
