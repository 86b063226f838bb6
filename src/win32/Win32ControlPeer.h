#pragma once
// The native side of one component placed on a form: usually a child window
// (a button, an edit, a list), sometimes several (a radio group) or none at
// all (the tray icon, a menu). The form's window creates one peer per
// component it owns, hands the peer the model's changes, and routes the
// children's notifications (WM_COMMAND, WM_NOTIFY, owner drawing, colours)
// to the peer that owns the child.
//
// Every child window is a child of the form's window, also when the control
// sits in a group box: notifications then reach the form, and the form peer
// adds up the containers' positions (ui/model/FormLayout.h).

#include <windows.h>

#include <string_view>
#include <vector>

#include "controls/peers/PeerRegistry.h"

namespace velora::component {
class TComponent;
}  // namespace velora::component

namespace velora::controls {
class TForm;
class TPopupMenu;
}  // namespace velora::controls

namespace velora::win32 {

class Win32Application;
class Win32FormPeer;

// What a control peer needs to create its window. The form peer outlives
// its control peers.
struct Win32PeerContext {
    Win32Application& application;
    controls::TForm& form;
    HWND formWindow;
    // Control ids, fonts, hints, the other peers of the form.
    Win32FormPeer& formPeer;
};

class Win32ControlPeer {
public:
    virtual ~Win32ControlPeer() = default;

    // The control's main window; nullptr for a component without one.
    virtual HWND Handle() const = 0;
    // True for each window of this peer (a radio group has one per button).
    virtual bool OwnsWindow(HWND window) const { return window != nullptr && window == Handle(); }
    // A published value of the component changed. The form peer also passes
    // "Left", "Top", "Visible", "Enabled", "Font" and "Parent" on to the
    // controls inside a container whose value changed.
    virtual void PropertyChanged(std::string_view property) = 0;
    // The form's window went to a screen of another density (the form
    // peer's Scale): places, fonts and drawing follow.
    virtual void DpiChanged() {}
    // An item of `menu` changed (the form peer tells every peer).
    virtual void MenuChanged(const controls::TPopupMenu& menu) {}

    // The peer's windows in the form's z-order, which is also the order Tab
    // walks: `sequence` gets the windows at the control's place in the tab
    // order, `frames` the window of a container, which the form peer puts
    // below every other window so that it never covers its contents.
    virtual void CollectZOrder(std::vector<HWND>& sequence, std::vector<HWND>& frames) const {
        if (Handle() != nullptr) sequence.push_back(Handle());
    }

    // Notifications a child of this peer sent to the form's window. True when handled.
    virtual bool HandleCommand(HWND child, WORD notifyCode) { return false; }
    virtual bool HandleNotify(NMHDR& header, LRESULT& result) { return false; }
    virtual bool HandleDrawItem(DRAWITEMSTRUCT& item) { return false; }
    virtual bool HandleMeasureItem(MEASUREITEMSTRUCT& item) { return false; }
    // WM_CTLCOLOR* for one of the peer's windows: a brush to paint with
    // (after choosing the DC's colours), or nullptr for the system's.
    virtual HBRUSH HandleControlColor(HWND child, HDC dc) { return nullptr; }
};

// Which peer each kind of component gets (win32/controls/ControlPeerRegistry.h).
using ControlPeerRegistry = controls::PeerRegistry<Win32ControlPeer, Win32PeerContext>;
using ControlPeerFactory = ControlPeerRegistry::Factory;

}  // namespace velora::win32
