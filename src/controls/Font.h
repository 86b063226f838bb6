#pragma once
// The font of a control: a sub-object the control holds, set as a whole by
// Assign or property by property (a language file's <Font Name=... />).

#include <cstdint>
#include <functional>
#include <string>

#include "component/ClassInfo.h"
#include "controls/Color.h"
#include "component/Persistent.h"
#include "component/TypeInfo.h"

namespace velora::controls {

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = component::EnumSet<TFontStyle, std::uint8_t>;

inline constexpr std::string_view kFontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
inline constexpr component::EnumType FontStyleType{"TFontStyle", kFontStyleNames};
inline constexpr component::SetType FontStylesType{"TFontStyles", FontStyleType};

class TFont : public component::TPersistent {
public:
    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    // In points.
    int Size() const { return size_; }
    void SetSize(int size);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    // Copies name, size, style and colour of another font.
    void Assign(const component::TPersistent& source) override;

    // Called after any value changed; the control holding the font listens.
    std::function<void()> OnChange;

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    int size_ = 8;
    TFontStyles style_;
    TColor color_ = clWindowText;
};

}  // namespace velora::controls
