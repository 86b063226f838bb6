#pragma once

#include "platform/ProgramVersion.h"

namespace velora::win32 {

// Reads the fixed file-version block of the running executable.
class Win32ProgramVersion final : public platform::ProgramVersion {
public:
    std::optional<platform::FileVersion> FileVersionOfProgram() const override;
};

}  // namespace velora::win32
