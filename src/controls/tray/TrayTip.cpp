#include "controls/tray/TrayTip.h"

#include "text/Text.h"

namespace velora::controls {

std::string TrayTipText(std::string_view hint, ShellVersion shell) {
    std::string_view tip = hint.substr(0, hint.find('|'));
    const size_t limit = shell.IsAtLeast5() ? 127 : 63;
    return std::string(tip.substr(0, limit));
}

std::string TrayHintForShell(std::string_view hint, ShellVersion shell) {
    if (shell.IsAtLeast5()) return std::string(hint);
    return text::ReplaceAll(hint, "\r\n", " - ");
}

}  // namespace velora::controls
