#pragma once
// The file version of the running program, from its version resource.

#include <array>
#include <cstdint>
#include <optional>

namespace velora::platform {

// Four 16-bit parts, most significant first ("0.9.6.4" is {0, 9, 6, 4}).
using FileVersion = std::array<std::uint16_t, 4>;

class ProgramVersion {
public:
    virtual ~ProgramVersion() = default;
    // Nothing when the program file carries no version information.
    virtual std::optional<FileVersion> FileVersionOfProgram() const = 0;
};

}  // namespace velora::platform
