#pragma once
// Date and time pictures for the stored times. The desktop's locale is not
// consulted: the settings file keeps one format, whichever locale a session
// runs in, so a file never becomes unreadable when the user changes it.

#include "platform/RegionalSettings.h"

namespace velora::gtk {

class GtkRegionalSettings : public platform::RegionalSettings {
public:
    platform::DateTimeFormats Formats() const override { return {}; }
};

}  // namespace velora::gtk
