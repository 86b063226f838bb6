#pragma once
// A plain area that holds other controls.

#include "ui/controls/Control.h"

namespace velora::ui {

enum TPanelBevel : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
inline constexpr std::string_view kPanelBevelNames[] = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
inline constexpr EnumType PanelBevelType{"TPanelBevel", kPanelBevelNames};

class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel bevel);

private:
    TPanelBevel bevelOuter_ = bvRaised;
};

}  // namespace velora::ui
