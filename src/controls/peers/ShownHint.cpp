#include "controls/peers/ShownHint.h"

#include "controls/Control.h"

namespace velora::controls {

std::string ShownHint(const TControl& control) {
    if (!control.ShowHint()) return {};
    const std::string& hint = control.Hint();
    return hint.substr(0, hint.find('|'));
}

}  // namespace velora::controls
