#pragma once
// What a form's constructor uses to lay out its design: a control created,
// owned by the form, placed in its container at a position and size.

#include <string>

#include "controls/Control.h"

namespace velora::controls {

template <class T>
T* Place(component::TComponent& owner, TWinControl* parent, const std::string& name, int left, int top, int width,
         int height) {
    auto* control = component::CreateComponent<T>(owner, name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

}  // namespace velora::controls
