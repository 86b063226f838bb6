#pragma once
// The link label's properties whose change only alters how the label is
// drawn: its peer paints it anew and has nothing else to update.

#include <string_view>

namespace velora::controls {

bool OnlyRedrawsLinkLabel(std::string_view property);

}  // namespace velora::controls
