#pragma once
// The current user's date and time formats from the system's locale settings.

#include "platform/RegionalSettings.h"

namespace velora::platform {

class Win32RegionalSettings : public RegionalSettings {
public:
    DateTimeFormats Formats() const override;
};

}  // namespace velora::platform
