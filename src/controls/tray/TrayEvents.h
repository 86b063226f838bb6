#pragma once
// What the user does to the tray icon, as each system's peer reports it: the
// contract between a peer and the tray's rules (TrayIconLogic). Windows maps
// the shell's callback messages to these, the StatusNotifier item the host's
// method calls.

#include "component/Events.h"

namespace velora::controls {

// A point on the screen.
struct TrayPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TrayPoint&) const = default;
};

// A button on the icon: which one, the keys and buttons held, and where.
struct TrayPointer {
    component::TMouseButton button = component::mbLeft;
    component::TShiftState shift;
    TrayPoint at;
};

class TrayEvents {
public:
    virtual ~TrayEvents() = default;

    // The icon's primary action: a double click on Windows, the host's
    // activation elsewhere.
    virtual void Activated(const TrayPointer& pointer) = 0;
    // A button was pressed and released on the icon.
    virtual void Clicked(const TrayPointer& pointer) = 0;
    // The icon's menu was asked for (the right button, the keyboard, the host).
    virtual void ContextMenuRequested(TrayPoint at) = 0;
    // The pointer moves over the icon.
    virtual void PointerMoved() = 0;
    // The user clicked the balloon the icon showed.
    virtual void BalloonClicked() = 0;
};

}  // namespace velora::controls
