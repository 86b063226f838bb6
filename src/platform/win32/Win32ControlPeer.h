#pragma once
// The native side of one component placed on a form: usually a child window
// (a button, an edit, a list), sometimes no window at all (the tray icon, a
// menu). The form's window creates one peer per component it owns, hands
// the peer the model's changes, and routes the child's notifications
// (WM_COMMAND, WM_NOTIFY, owner drawing) to it.

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>

namespace velora::ui {
class TComponent;
class TForm;
}  // namespace velora::ui

namespace velora::win32 {

class Win32Application;

// What a control peer needs to create its window.
struct Win32PeerContext {
    Win32Application& application;
    ui::TForm& form;
    HWND formWindow;
    // The window the control's Left and Top count from (the form's client
    // area, or a group box's position on it) is resolved by the form peer.
};

class Win32ControlPeer {
public:
    virtual ~Win32ControlPeer() = default;

    // The control's window; nullptr for a component without one.
    virtual HWND Handle() const = 0;
    // A published value of the component changed.
    virtual void PropertyChanged(std::string_view property) = 0;
    // Notifications the child sent to the form's window. True when handled.
    virtual bool HandleCommand(WORD notifyCode) { return false; }
    virtual bool HandleNotify(NMHDR& header, LRESULT& result) { return false; }
    virtual bool HandleDrawItem(DRAWITEMSTRUCT& item) { return false; }
    virtual bool HandleMeasureItem(MEASUREITEMSTRUCT& item) { return false; }
    // WM_CTLCOLOR* for this control: a brush to paint with, or nullptr.
    virtual HBRUSH HandleControlColor(HDC dc) { return nullptr; }
};

using ControlPeerFactory =
    std::function<std::unique_ptr<Win32ControlPeer>(ui::TComponent& component, Win32PeerContext& context)>;

}  // namespace velora::win32
