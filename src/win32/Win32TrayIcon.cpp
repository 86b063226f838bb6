#include "win32/Win32TrayIcon.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "win32/ErrorDisplay.h"
#include "win32/Win32FormPeer.h"
#include "win32/ProgramIcon.h"
#include "win32/ScreenDensity.h"
#include "win32/SystemErrorText.h"
#include "win32/WideText.h"
#include "win32/Win32Application.h"
#include "win32/WindowClass.h"
#include "win32/controls/NativePopupMenu.h"
#include "controls/Menus.h"

namespace velora::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"TTrayMessageWindow";
constexpr UINT kIconId = 1;

controls::TrayPoint CursorPosition() {
    POINT point{};
    GetCursorPos(&point);
    return {point.x, point.y};
}

// The keys and buttons held, as the notification finds them.
component::TShiftState ShiftState() {
    component::TShiftState shift;
    const auto add = [&shift](int key, component::TShiftFlag flag) {
        if (GetKeyState(key) < 0) shift.Include(flag);
    };
    add(VK_SHIFT, component::ssShift);
    add(VK_MENU, component::ssAlt);
    add(VK_CONTROL, component::ssCtrl);
    add(VK_LBUTTON, component::ssLeft);
    add(VK_RBUTTON, component::ssRight);
    add(VK_MBUTTON, component::ssMiddle);
    return shift;
}

}  // namespace

Win32TrayIconPeer::Win32TrayIconPeer(controls::TTrayIcon& tray, Win32PeerContext& context)
    : Win32TrayIconPeer(tray, context.application, &context.formPeer) {}

Win32TrayIconPeer::Win32TrayIconPeer(controls::TTrayIcon& tray, Win32Application& application,
                                     const Win32FormPeer* formPeer)
    : instance_(application.Instance()),
      applicationWindowHandle_(application.Handle()),
      shell_(CurrentShellVersion()),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")),
      window_(CreateMessageWindow()),
      logic_(tray, *this),
      messages_(logic_, shell_.IsAtLeast5()),
      applicationWindow_(applicationWindowHandle_, formPeer, logic_) {
    // Only now may the window's messages reach the logic.
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    logic_.Loaded();
    applicationWindow_.Loaded();
}

Win32TrayIconPeer::~Win32TrayIconPeer() {
    logic_.Destroy();
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
    window_.Reset();
}

UniqueWindow Win32TrayIconPeer::CreateMessageWindow() {
    // Registered once per process; a class of that name with another window
    // procedure (left by another module) is replaced.
    RegisterWindowClass({.name = kWindowClass, .procedure = &Win32TrayIconPeer::WindowProc, .instance = instance_});
    // A hidden top-level window rather than a message-only one: the shell's
    // broadcasts ("TaskbarCreated", the end of the session) reach only those.
    UniqueWindow window(CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                        instance_, nullptr));
    if (!window) ThrowLastError();
    return window;
}

void Win32TrayIconPeer::PropertyChanged(std::string_view property) {
    logic_.PropertyChanged(property);
    if (property == "Active") applicationWindow_.ActiveChanged();
}

LRESULT CALLBACK Win32TrayIconPeer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* peer = reinterpret_cast<Win32TrayIconPeer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!peer) return DefWindowProcW(window, message, wParam, lParam);
    // The window is hidden: the error box has no owner.
    return HandleShowingErrors(nullptr, [&] { return peer->HandleMessage(message, wParam, lParam); });
}

LRESULT Win32TrayIconPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTrayCallbackMessage) {
        messages_.Deliver(LOWORD(lParam), ShiftState(), CursorPosition());
        return 0;
    }
    if (taskbarCreated_ != 0 && message == taskbarCreated_) {
        logic_.TaskbarCreated();
        return 0;
    }
    switch (message) {
        case WM_TIMER: logic_.TimerFired(static_cast<controls::TrayTimer>(wParam)); return 0;
        // The log-on may always end.
        case WM_QUERYENDSESSION: return 1;
        case WM_ENDSESSION: logic_.EndSession(wParam != 0); return 0;
        default: return DefWindowProcW(window_.Get(), message, wParam, lParam);
    }
}

HICON Win32TrayIconPeer::ApplicationIcon() const {
    // The icon the application window's class carries: the program's own.
    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrW(applicationWindowHandle_, GCLP_HICON));
    return icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

HICON Win32TrayIconPeer::IconFor(const controls::TrayImage& image) {
    // The program's forms carry no image lists, so an image-list entry shows
    // the application's icon as well.
    const bool ownResource =
        image.source == controls::TrayImageSource::Icon && image.icon.source == controls::TIconSource::Resource;
    const int resourceId = ownResource ? image.icon.resourceId : kProgramIconId;
    // The notification area draws its icons at the small-icon size of the
    // taskbar's screen, where the hidden window stands too.
    const UINT dpi = WindowDpi(window_.Get());
    if (!icon_ || iconResource_ != resourceId || iconDpi_ != dpi) {
        icon_ = LoadIconForDpi(instance_, resourceId, SM_CXSMICON, dpi);
        iconResource_ = resourceId;
        iconDpi_ = dpi;
    }
    return icon_ ? icon_.Get() : ApplicationIcon();
}

bool Win32TrayIconPeer::Notify(DWORD operation, UINT flags, const controls::TrayRecord& record) {
    NOTIFYICONDATAW data{};
    // The record as shells from 5.0 on know it (a tip of 128 characters and
    // the version field), without the later fields the program does not use:
    // the wide form of the 488-byte record, which every later shell accepts.
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window_.Get();
    data.uID = kIconId;
    data.uFlags = flags;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = IconFor(record.image);
    const std::wstring tip = Widen(record.tip);
    const size_t length = std::min(tip.size(), std::size(data.szTip) - 1);
    std::copy_n(tip.begin(), length, data.szTip);
    // From 5.0 on the icon asks for the notifications of version 3 (the
    // context menu, the keyboard).
    data.uVersion = shell_.IsAtLeast5() ? NOTIFYICON_VERSION : 0;
    return Shell_NotifyIconW(operation, &data) != FALSE;
}

bool Win32TrayIconPeer::AddIcon(const controls::TrayRecord& record) {
    const bool added = Notify(NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP, record);
    if (shell_.IsAtLeast5()) Notify(NIM_SETVERSION, 0, record);
    return added;
}

void Win32TrayIconPeer::ShowImage(const controls::TrayRecord& record) { Notify(NIM_MODIFY, NIF_ICON, record); }

void Win32TrayIconPeer::ShowTip(const controls::TrayRecord& record) { Notify(NIM_MODIFY, NIF_TIP, record); }

void Win32TrayIconPeer::RemoveIcon() { Notify(NIM_DELETE, 0, logic_.Record()); }

void Win32TrayIconPeer::StartTimer(controls::TrayTimer timer, unsigned intervalMs) {
    SetTimer(window_.Get(), static_cast<UINT_PTR>(timer), intervalMs, nullptr);
}

void Win32TrayIconPeer::StopTimer(controls::TrayTimer timer) { KillTimer(window_.Get(), static_cast<UINT_PTR>(timer)); }

unsigned Win32TrayIconPeer::DoubleClickTime() const { return GetDoubleClickTime(); }

// The hidden window becomes the foreground window, so the menu closes when
// the user clicks elsewhere; the null message afterwards lets the menu's
// loop end before the chosen entry runs.
controls::TMenuItem* Win32TrayIconPeer::ShowMenu(controls::TPopupMenu& menu, controls::TrayPoint at) {
    SetForegroundWindow(window_.Get());
    const NativePopupMenu native(menu.Items());
    UINT command = 0;
    if (native.Handle())
        command = static_cast<UINT>(
            ::TrackPopupMenu(native.Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window_.Get(), nullptr));
    PostMessageW(window_.Get(), WM_NULL, 0, 0);
    return native.Handle() ? native.ItemOfCommand(command) : nullptr;
}

std::unique_ptr<Win32ControlPeer> CreateTrayIconPeer(component::TComponent& component, Win32PeerContext& context) {
    auto* tray = dynamic_cast<controls::TTrayIcon*>(&component);
    if (!tray) return nullptr;
    return std::make_unique<Win32TrayIconPeer>(*tray, context);
}

}  // namespace velora::win32
