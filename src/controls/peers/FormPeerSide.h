#pragma once
// What one side of the system does for the peers of a form (FormPeers.h):
// its form peer creates the form's own window, hands out what the control
// peers are created with, shows the form's own values and keeps the tab
// order and the screen reader's names up to date.

#include <string_view>

namespace velora::controls {

// When a form gets its window. AtOnce: with its peer. WithFirstShowing:
// when it is first shown, brought to the front or run modal; until then it
// costs no window, font or control, and only the components that work
// while the form is hidden (a tray icon, a menu) get their peers.
enum class WindowCreation {
    AtOnce,
    WithFirstShowing,
};

template <class Context>
class FormPeerSide {
public:
    // True once the form's own window exists.
    virtual bool HasWindow() const = 0;
    // Creates the form's own window from the model's values (the peers of
    // its components come right after).
    virtual void CreateFormWindow() = 0;
    // What a control peer is created with, for the window as it is now.
    virtual Context PeerContext() = 0;
    // A value of the form itself changed while its window exists (a change
    // of its font goes to the peers instead).
    virtual void FormPropertyChanged(std::string_view property) = 0;
    // Peers came, or a control's tab order or container changed: the keys
    // that move the focus follow the new order.
    virtual void TabOrderChanged() = 0;
    // Peers came, or a caption or a label's field changed: the names a
    // screen reader reads follow. Nothing where the system names the
    // controls from their windows itself.
    virtual void AccessibleNamesChanged() {}

protected:
    ~FormPeerSide() = default;
};

}  // namespace velora::controls
