#pragma once
// A framed, captioned group of controls; the controls inside are placed
// relative to it (their Parent is the group box).

#include "controls/Control.h"

namespace velora::controls {

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(component::TComponent* owner);

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }
};

}  // namespace velora::controls
