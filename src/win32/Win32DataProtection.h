#pragma once
// The password protected by the system's data protection (DPAPI) for the
// current user, with an entropy of the program's own and never a window.

#include "platform/DataProtection.h"

namespace velora::win32 {

class Win32DataProtection : public platform::DataProtection {
public:
    std::optional<std::string> Protect(const std::string& data) override;
    std::optional<std::string> Unprotect(const std::string& blob) override;
};

}  // namespace velora::win32
