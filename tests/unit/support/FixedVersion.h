#pragma once
// The program file's version as a test chooses it; none for a program file
// without a version resource.

#include <optional>

#include "platform/ProgramVersion.h"

namespace velora::fakes {

struct FixedVersion : platform::ProgramVersion {
    std::optional<platform::FileVersion> version = platform::FileVersion{0, 9, 6, 4};
    std::optional<platform::FileVersion> FileVersionOfProgram() const override { return version; }
};

}  // namespace velora::fakes
