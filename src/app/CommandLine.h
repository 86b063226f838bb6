#pragma once
// The program's command line: only its first argument counts, and only the
// two switches "/options" and "/send" mean anything.

#include <string>
#include <string_view>
#include <vector>

namespace velora::app {

enum class StartSwitch { None, Options, Send };

// Splits a whole command line as the system hands it over (program path
// first) into arguments: blanks separate, double quotes group.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The first argument after the program path, or "" when there is none.
std::string FirstArgument(std::string_view commandLine);

// Compared after ANSI lower-casing, so any mix of letter case matches.
StartSwitch ParseStartSwitch(std::string_view firstArgument);

}  // namespace velora::app
