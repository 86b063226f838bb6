#pragma once
// The program's run from the moment this process knows it is the running
// instance: the process-wide texts, the application object with the module
// and the three forms in their fixed order, the command-line switch, the
// first-start options dialog, the message loop, and the orderly end.

#include <string_view>

#include "app/CommandLine.h"
#include "app/ProgramHost.h"

namespace velora::startup {

// AppVersion, VersionQuery and DataFolder; the data folder is created when
// missing (a failure is ignored).
void PrepareProcessTexts(const app::PlatformServices& services);

// Start-up from the application object on, the message loop and the end.
// Returns the process exit code.
int RunProgram(std::string_view commandLine, const app::PlatformServices& services, app::ProgramHost& host);

}  // namespace velora::startup
