#include "component/ShortCut.h"

#include <optional>

#include "text/Text.h"

namespace velora::component {

namespace {

struct NamedKey {
    std::uint8_t key;
    std::string_view name;
};

// Keys whose name is not their character.
constexpr NamedKey kNamedKeys[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"},
};

constexpr std::uint8_t kF1 = 0x70;
constexpr int kFunctionKeys = 24;

struct Modifier {
    TShortCut bit;
    std::string_view prefix;
};
constexpr Modifier kModifiers[] = {{scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}};

std::string KeyName(std::uint8_t key) {
    for (const NamedKey& named : kNamedKeys)
        if (named.key == key) return std::string(named.name);
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
    if (key >= kF1 && key < kF1 + kFunctionKeys) return "F" + std::to_string(key - kF1 + 1);
    return {};
}

std::optional<std::uint8_t> KeyOfName(std::string_view name) {
    if (name.empty()) return std::nullopt;
    for (int key = 1; key <= 0xFF; ++key) {
        const std::string known = KeyName(static_cast<std::uint8_t>(key));
        if (!known.empty() && text::SameText(known, name)) return static_cast<std::uint8_t>(key);
    }
    return std::nullopt;
}

}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
    const std::string key = KeyName(static_cast<std::uint8_t>(shortCut & 0xFF));
    if (key.empty()) return {};
    std::string text;
    for (const Modifier& modifier : kModifiers)
        if (shortCut & modifier.bit) text += modifier.prefix;
    return text + key;
}

TShortCut TextToShortCut(std::string_view text) {
    TShortCut modifiers = 0;
    bool found = true;
    while (found) {
        found = false;
        for (const Modifier& modifier : kModifiers) {
            if (text.size() > modifier.prefix.size() &&
                text::SameText(text.substr(0, modifier.prefix.size()), modifier.prefix)) {
                modifiers |= modifier.bit;
                text.remove_prefix(modifier.prefix.size());
                found = true;
            }
        }
    }
    const std::optional<std::uint8_t> key = KeyOfName(text);
    return key ? static_cast<TShortCut>(modifiers | *key) : 0;
}

}  // namespace velora::component
