#pragma once
// The user's regional date and time formats, as pictures in the system's
// notation: d, dd, M, MM, yy, yyyy for dates; h, hh, H, HH, m, mm, s, ss, t, tt
// for times; other characters stand for themselves.

#include <string>

namespace velora::platform {

struct DateTimeFormats {
    std::string shortDate = "dd.MM.yyyy";
    std::string longTime = "HH:mm:ss";
    std::string amDesignator = "AM";
    std::string pmDesignator = "PM";
};

class RegionalSettings {
public:
    virtual ~RegionalSettings() = default;
    virtual DateTimeFormats Formats() const = 0;
};

}  // namespace velora::platform
