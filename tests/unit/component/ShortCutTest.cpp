#include <gtest/gtest.h>

#include "component/ShortCut.h"

using namespace velora::component;

TEST(ShortCut, TextAndValueConvertBothWays) {
    const std::pair<const char*, TShortCut> cases[] = {
        {"Ctrl+S", scCtrl | 'S'},   {"Shift+Ctrl+F1", scShift | scCtrl | 0x70},
        {"Alt+X", scAlt | 'X'},     {"Shift+Ctrl+Alt+A", scShift | scCtrl | scAlt | 'A'},
        {"Del", 0x2E},  {"Ins", 0x2D},  {"Enter", 0x0D}, {"Esc", 0x1B},   {"Tab", 0x09},
        {"Space", 0x20}, {"BkSp", 0x08}, {"PgUp", 0x21},  {"PgDn", 0x22},  {"End", 0x23},
        {"Home", 0x24}, {"Left", 0x25}, {"Up", 0x26},    {"Right", 0x27}, {"Down", 0x28},
        {"F12", 0x7B},  {"5", '5'},     {"Ctrl+Z", scCtrl | 'Z'},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ShortCutToText(value), text);
        EXPECT_EQ(TextToShortCut(text), value) << text;
    }
}

TEST(ShortCut, TextIgnoresCaseAndModifierOrderButNotUnknownNames) {
    EXPECT_EQ(TextToShortCut("ctrl+s"), scCtrl | 'S');
    EXPECT_EQ(TextToShortCut("Ctrl+Shift+F1"), scShift | scCtrl | 0x70);
    EXPECT_EQ(ShortCutToText(TextToShortCut("Ctrl+Shift+F1")), "Shift+Ctrl+F1");
    for (const char* unknown : {"", "Ctrl+", "Ctrl+Foo", "Hyper+S", "S+Ctrl", "Ctrl+SS", "Ctrl S", "+"})
        EXPECT_EQ(TextToShortCut(unknown), 0) << unknown;
    EXPECT_EQ(ShortCutToText(0), "");
    EXPECT_EQ(ShortCutToText(scCtrl), "");          // modifiers without a key
    EXPECT_EQ(ShortCutToText(scCtrl | 0xFF), "");   // a key without a name
}
