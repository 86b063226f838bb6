#include "gtk/AutostartEntry.h"

#include "gtk/SingleInstance.h"

namespace velora::gtk {

std::string ExecValueFor(std::string_view programPath) {
    // Inside a quoted argument '"', '`', '$' and '\' take a backslash; a
    // field code's '%' is doubled. The value itself then escapes each '\'.
    std::string quoted = "\"";
    for (const char c : programPath) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';
        if (c == '\n' || c == '\r') continue;  // no line of its own
        quoted += c;
    }
    quoted += '"';
    std::string value;
    for (const char c : quoted) {
        if (c == '\\') value += '\\';
        value += c;
    }
    return value;
}

std::string AutostartEntryText(std::string_view command) {
    if (command.size() >= 2 && command.front() == '"' && command.back() == '"')
        command = command.substr(1, command.size() - 2);
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=VELORA Desktop\n"
           "Comment=Starts VELORA Desktop in the notification area\n"
           "Exec=" + ExecValueFor(command) + "\n"
           // The package installs the icon under the application id.
           "Icon=" + std::string(kApplicationId) + "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

}  // namespace velora::gtk
