#include "controls/tray/TrayTip.h"

#include "text/Text.h"

namespace velora::controls {

std::string TrayTipText(std::string_view hint, TrayTipRules rules) {
    std::string_view tip = hint.substr(0, hint.find('|'));
    return std::string(tip.substr(0, rules.maxLength));
}

std::string TrayHintForShell(std::string_view hint, TrayTipRules rules) {
    if (!rules.singleLine) return std::string(hint);
    return text::ReplaceAll(hint, "\r\n", " - ");
}

}  // namespace velora::controls
