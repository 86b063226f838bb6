#pragma once

#include <string>

#include "platform/ProgramVersion.h"

namespace velora::app {

// The program's version text, "a.b.c.d" from the version resource; with
// `shortForm` the last component is dropped ("0.9.6"). A program file
// without version information is "0.1" in both forms.
std::string InstalledVersion(const platform::ProgramVersion& source, bool shortForm);

}  // namespace velora::app
