#pragma once
// The program's version on Linux: an executable carries no version
// resource, so it is the version the build was made with.

#include "platform/ProgramVersion.h"

namespace velora::gtk {

class GtkProgramVersion : public platform::ProgramVersion {
public:
    std::optional<platform::FileVersion> FileVersionOfProgram() const override;
};

}  // namespace velora::gtk
