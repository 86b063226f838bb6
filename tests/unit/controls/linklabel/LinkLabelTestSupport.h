#pragma once
// A text measurer with fixed-width characters: 6 pixels, 7 in bold; every
// line 13 pixels high.

#include <string>
#include <vector>

#include "controls/linklabel/LinkLabelLayout.h"

namespace velora::controls::testing {

class FixedWidthMeasurer : public TTextMeasurer {
public:
    TTextSize MeasureText(const std::string& text, TFontStyles style) override {
        const int perCharacter = style.Contains(fsBold) ? 7 : 6;
        return {static_cast<int>(text.size()) * perCharacter, 13};
    }
};

// The words of a layout, "text@left,top".
inline std::vector<std::string> Placed(const TLinkLabelLayout& layout) {
    std::vector<std::string> words;
    for (const TPlacedWord& word : layout.Words)
        words.push_back(word.Text + "@" + std::to_string(word.Bounds.Left) + "," + std::to_string(word.Bounds.Top));
    return words;
}

}  // namespace velora::controls::testing
