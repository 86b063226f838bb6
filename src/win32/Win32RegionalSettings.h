#pragma once
// The current user's date and time formats from the system's locale settings.

#include "platform/RegionalSettings.h"

namespace velora::win32 {

class Win32RegionalSettings : public platform::RegionalSettings {
public:
    platform::DateTimeFormats Formats() const override;
};

}  // namespace velora::win32
