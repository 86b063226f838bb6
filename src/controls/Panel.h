#pragma once
// A plain area that holds other controls.

#include "controls/Control.h"

namespace velora::controls {

enum TPanelBevel : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
inline constexpr std::string_view kPanelBevelNames[] = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
inline constexpr component::EnumType PanelBevelType{"TPanelBevel", kPanelBevelNames};

class TPanel : public TWinControl {
public:
    explicit TPanel(component::TComponent* owner);

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel bevel);

private:
    TPanelBevel bevelOuter_ = bvRaised;
};

}  // namespace velora::controls
