#include "controls/linklabel/LinkLabelRedraw.h"

#include <array>

namespace velora::controls {

bool OnlyRedrawsLinkLabel(std::string_view property) {
    static constexpr std::array<std::string_view, 12> kDrawingOnly = {
        "LinkState",    "Transparent", "Layout",    "AutoHeight",  "HotLinks",     "LinkColor",
        "LinkColorClicked", "LinkColorHot", "LinkStyle", "MarginWidth", "MarginHeight", "Color",
    };
    for (std::string_view name : kDrawingOnly)
        if (property == name) return true;
    return false;
}

}  // namespace velora::controls
