#pragma once
// The system's protection of data for the current user (Windows: DPAPI). What
// it protects only the same user on the same system can read back; nothing
// is shown to the user, and both calls answer at once.

#include <optional>
#include <string>

namespace velora::platform {

class DataProtection {
public:
    virtual ~DataProtection() = default;
    // The protected form of `data`; none when the system refuses.
    virtual std::optional<std::string> Protect(const std::string& data) = 0;
    // The data `blob` was made from; none when it is damaged, was protected
    // for another user or by another program.
    virtual std::optional<std::string> Unprotect(const std::string& blob) = 0;
};

}  // namespace velora::platform
