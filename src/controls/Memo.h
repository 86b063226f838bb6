#pragma once
// A multi-line text field.

#include <memory>

#include "ui/controls/Control.h"
#include "component/Strings.h"

namespace velora::ui {

enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
inline constexpr std::string_view kScrollStyleNames[] = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
inline constexpr EnumType ScrollStyleType{"TScrollStyle", kScrollStyleNames};

class TMemo : public TWinControl {
public:
    explicit TMemo(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // One getter only, so that the property can name it.
    TStrings& Lines() const { return *lines_; }
    void SetLines(const TStrings& lines) { lines_->Assign(lines); }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle scrollBars);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);

private:
    std::unique_ptr<TStringList> lines_;
    bool readOnly_ = false;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
};

}  // namespace velora::ui
