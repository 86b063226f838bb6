#pragma once
// The published values every control has (place, visibility, enablement,
// font, caption, hint, tab stop) and what a peer does when one changes: one
// Apply per value, written by each side's base peer; which change calls
// which Apply is decided here, once for both sides.

#include <string_view>

namespace velora::controls {

class CommonProperties {
public:
    // Applies a change of one of the values every control has; false for
    // any other property (the kind's own, or one without a look).
    bool ApplyCommonProperty(std::string_view property);

protected:
    CommonProperties() = default;
    ~CommonProperties() = default;
    CommonProperties(const CommonProperties&) = default;
    CommonProperties& operator=(const CommonProperties&) = default;

    virtual void ApplyBounds() = 0;
    virtual void ApplyVisible() = 0;
    virtual void ApplyEnabled() = 0;
    virtual void ApplyFont() = 0;
    virtual void ApplyHint() = 0;
    virtual void ApplyCaption() = 0;
    virtual void ApplyTabStop() = 0;
};

}  // namespace velora::controls
