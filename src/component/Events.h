#pragma once
// The event types of the model. Events are plain std::function members of
// the components (OnClick, OnShow, ...), set by the form that handles them;
// an empty one is simply not called.

#include <cstdint>
#include <functional>

#include "component/TypeInfo.h"

namespace velora::component {

class TComponent;

using TNotifyEvent = std::function<void(TComponent* sender)>;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = EnumSet<TShiftFlag, std::uint8_t>;

using TMouseEvent =
    std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;

// A typed character; the handler may change it, and 0 discards it.
using TKeyPressEvent = std::function<void(TComponent* sender, char& key)>;

}  // namespace velora::component
