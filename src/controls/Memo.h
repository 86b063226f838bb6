#pragma once
// A multi-line text field.

#include <memory>

#include "controls/Control.h"
#include "component/Strings.h"

namespace velora::controls {

enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
inline constexpr std::string_view kScrollStyleNames[] = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
inline constexpr component::EnumType ScrollStyleType{"TScrollStyle", kScrollStyleNames};

class TMemo : public TWinControl {
public:
    explicit TMemo(component::TComponent* owner);

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    // One getter only, so that the property can name it.
    component::TStrings& Lines() const { return *lines_; }
    void SetLines(const component::TStrings& lines) { lines_->Assign(lines); }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle scrollBars);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);

private:
    std::unique_ptr<component::TStringList> lines_;
    bool readOnly_ = false;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
};

}  // namespace velora::controls
