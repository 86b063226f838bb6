#include "app/CommandLine.h"

#include "text/Text.h"

namespace velora::app {

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> arguments;
    size_t i = 0;
    while (i < commandLine.size()) {
        while (i < commandLine.size() && static_cast<unsigned char>(commandLine[i]) <= ' ') ++i;
        if (i >= commandLine.size()) break;
        std::string argument;
        bool quoted = false;
        for (; i < commandLine.size(); ++i) {
            const char c = commandLine[i];
            if (c == '"') {
                quoted = !quoted;
            } else if (!quoted && static_cast<unsigned char>(c) <= ' ') {
                break;
            } else {
                argument += c;
            }
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

std::string FirstArgument(std::string_view commandLine) {
    auto arguments = SplitCommandLine(commandLine);
    return arguments.size() > 1 ? arguments[1] : std::string();
}

StartSwitch ParseStartSwitch(std::string_view firstArgument) {
    const std::string lowered = text::AnsiLowerCase(firstArgument);
    if (lowered == "/options") return StartSwitch::Options;
    if (lowered == "/send") return StartSwitch::Send;
    return StartSwitch::None;
}

}  // namespace velora::app
