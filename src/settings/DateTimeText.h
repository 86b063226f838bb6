#pragma once
// The program's date-time value and its text in the user's regional formats.

#include <optional>
#include <string>
#include <string_view>

#include "platform/RegionalSettings.h"

namespace velora::settings {

// Days since 30 December 1899 00:00; the fraction is the time of day. Before
// that day the whole part counts backwards while the fraction still counts
// forward from midnight (-1.25 is 29 December 1899 06:00).
using TDateTime = double;

struct DateTimeParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Nothing when a component is out of range (years 1 to 9999).
std::optional<TDateTime> EncodeDateTime(const DateTimeParts& parts);
// Nothing for values outside years 1 to 9999 (and for NaN and infinities).
// The time of day is rounded to the millisecond.
std::optional<DateTimeParts> DecodeDateTime(TDateTime value);

// The short date, then a blank and the long time unless the time of day is
// exactly 00:00:00. Years are always written with all their digits so that
// the text reads back to the same value whatever the pictures; a 12-hour
// picture falls back to 24-hour digits when its AM/PM marks cannot tell the
// two halves of the day apart. Raises EConvertError for a value outside the
// calendar.
std::string DateTimeToText(TDateTime value, const platform::DateTimeFormats& formats);

// First a date in the short-date order, optionally followed by a time; else a
// time alone: an hour, optional minutes and seconds, an optional AM/PM mark.
// So "0" is midnight of the zero date. Nothing when neither fits.
std::optional<TDateTime> TextToDateTime(std::string_view text, const platform::DateTimeFormats& formats);

}  // namespace velora::settings
