#pragma once
// Where the controls of a form end up on screen. A control's Left and Top
// count from the control it is placed in; on screen every control is drawn
// directly on its form, so positions, visibility and enablement are summed
// up along the chain of containers here, once, for every platform.
//
// A control without a parent counts as placed directly on the form that
// owns it (as ParentForm does).

#include <vector>

#include "controls/Canvas.h"
#include "controls/Control.h"
#include "controls/DpiScale.h"

namespace velora::controls {

struct TPoint {
    int X = 0;
    int Y = 0;
};

// The control's top-left corner in its form's client area: its own Left and
// Top plus those of every container up to the form (the form's own position
// does not count).
TPoint PositionOnForm(const TControl& control);
// The control's rectangle in its form's client area, in pixels of `scale`.
// Each edge is scaled on its own: controls that touch or line up in the
// design still do on every screen.
TRect BoundsOnForm(const TControl& control, const DpiScale& scale);
// Visible, and every container up to the form visible (the form's own
// visibility does not count): a hidden group box hides its contents.
bool VisibleOnForm(const TControl& control);
// Enabled, and every container up to the form enabled.
bool EnabledOnForm(const TControl& control);
// True when `control` lies inside `container`, directly or deeper.
bool IsPlacedIn(const TControl& control, const TControl& container);

// The controls of the form, each container followed by its contents: within
// a container the windowed controls in TabOrder (equal orders keep the order
// in which they were placed), each preceded by the label that names it (its
// FocusControl), then the other labels in placement order.
// Windows stacked in this order are visited by Tab in the form's tab order.
std::vector<TControl*> TabSequence(const TForm& form);

// The buttons of a radio group of the given size, in item order, relative to
// the group: `columns` columns filled top to bottom, rows sharing the height
// below the caption (`textHeight` is the height of the caption's font). Sizes
// are pixels of `scale`, which also scales the designed margins.
std::vector<TRect> RadioButtonBounds(int width, int height, int count, int columns, int textHeight,
                                     const DpiScale& scale = DpiScale());

}  // namespace velora::controls
