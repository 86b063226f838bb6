#pragma once
// A framed, captioned group of controls; the controls inside are placed
// relative to it (their Parent is the group box).

#include "ui/controls/Control.h"

namespace velora::ui {

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
};

}  // namespace velora::ui
