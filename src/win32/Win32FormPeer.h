#pragma once
// The window of a form. It is created from the model's values, follows every
// change the model reports, turns the user's actions back into model calls,
// and runs the modal loop. The window class is named after the form's class
// ("TformOptions"), so the program's windows can be found by class.
//
// The form's components get their native side from the peers of
// controls/ControlPeerRegistry.h: one child window (or none) per component,
// all children of this window, kept and handed the model's changes by the
// portable controls/peers/FormPeers.h. The form window routes the
// children's notifications to them, hands out their fonts and hints, stacks
// them in tab order and lets the dialog manager handle Tab, Enter and Esc.

#include <windows.h>

#include <string>

#include "component/ControlPeer.h"
#include "win32/FontCache.h"
#include "win32/Win32ControlPeer.h"
#include "win32/raii/Icons.h"
#include "win32/raii/UniqueWindow.h"
#include "controls/DpiScale.h"
#include "controls/Font.h"
#include "controls/peers/FormPeers.h"

namespace velora::controls {
class TControl;
class TForm;
}  // namespace velora::controls

namespace velora::win32 {

class Win32Application;

class Win32FormPeer : public component::ControlPeer, private controls::FormPeerSide<Win32PeerContext> {
public:
    // The program's forms get their windows with their first showing
    // (controls/peers/FormPeerSide.h).
    Win32FormPeer(controls::TForm& form, Win32Application& application,
                  controls::WindowCreation creation = controls::WindowCreation::AtOnce);
    ~Win32FormPeer() override;
    Win32FormPeer(const Win32FormPeer&) = delete;
    Win32FormPeer& operator=(const Win32FormPeer&) = delete;

    // nullptr until the window exists (see WindowCreation).
    HWND Handle() const { return window_.Get(); }
    // Creates the window and its children's now, when it has none yet.
    void EnsureWindow() { peers_.EnsureWindow(); }
    // The density of the screen the window is on: the controls' places,
    // fonts and drawing are the design's scaled by it.
    const controls::DpiScale& Scale() const { return scale_; }

    void PropertyChanged(component::TComponent& component, std::string_view property) override;
    void BringToFront(controls::TForm& form) override;
    void RunModal(controls::TForm& form) override;
    void HandleError(std::exception_ptr error) override;

    // The peer of a component of the form; nullptr when it has none.
    Win32ControlPeer* PeerOf(const component::TComponent& component) const { return peers_.PeerOf(component); }

    // For the control peers: a new child-window id (never IDOK or IDCANCEL).
    int NewControlId() { return nextControlId_++; }
    // The font a control is drawn with; owned by the form peer.
    HFONT FontFor(const controls::TControl& control);
    // The same font with exactly `style` (bold, italic, underline,
    // strike-out), whatever the control's own style: the link label draws
    // its words in these.
    HFONT FontFor(const controls::TControl& control, controls::TFontStyles style);
    // Shows `hint` when the mouse rests on `tool`; an empty hint removes it.
    void SetHint(HWND tool, const std::string& hint);
    // The tooltip window of the form; nullptr until a hint was set.
    HWND ToolTip() const { return toolTip_.Get(); }
    // Stacks the children in tab order (after a change of the order or of a
    // peer's windows).
    void UpdateZOrder();

protected:
    // Messages of the form's window; the default handles closing, focus,
    // the children's notifications and the rest goes to the system.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // What the portable form peers ask of this side.
    bool HasWindow() const override { return static_cast<bool>(window_); }
    void CreateFormWindow() override;
    Win32PeerContext PeerContext() override;
    void FormPropertyChanged(std::string_view property) override;
    void TabOrderChanged() override { UpdateZOrder(); }
    // The program's icon at the sizes the window's density asks for.
    void ApplyIcons();
    void ApplyBounds();
    void PlaceWindow();
    // WM_DPICHANGED: the window went to a screen of density `dpi`; the
    // system suggests its new place.
    void FollowDpi(int dpi, const RECT& suggested);
    DWORD Style() const;
    DWORD ExStyle() const;
    Win32ControlPeer* PeerOfWindow(HWND child) const;
    LRESULT DefaultButtonId() const;
    // Focuses the child that had the focus last, else the first tab stop,
    // else (with `orForm`) the form's window itself.
    void RestoreFocus(bool orForm);

    controls::TForm* form_;
    Win32Application& application_;
    std::wstring className_;
    UniqueWindow window_;
    // Our own SetWindowPos is under way, or the model is being told where
    // the user moved the window: neither must echo back.
    bool applyingBounds_ = false;
    bool followingWindow_ = false;
    controls::DpiScale scale_;
    // Before the peers: their windows and painting use the fonts to the end.
    FontCache fonts_;
    OwnedIcon smallIcon_;
    OwnedIcon bigIcon_;

    controls::FormPeers<Win32ControlPeer, Win32PeerContext> peers_;
    int nextControlId_ = 100;
    UniqueWindow toolTip_;
    // The child that had the focus when the form was last deactivated.
    HWND lastFocus_ = nullptr;
};

}  // namespace velora::win32
