#include "win32/Win32RegionalSettings.h"

#include <windows.h>

#include <optional>
#include <string>

namespace velora::win32 {

namespace {
std::optional<std::string> LocaleText(LCTYPE item) {
    const int size = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::string text(static_cast<std::size_t>(size), '\0');
    const int written = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, text.data(), size);
    if (written <= 0) return std::nullopt;
    text.resize(static_cast<std::size_t>(written - 1));  // without the closing zero
    return text;
}
}  // namespace

platform::DateTimeFormats Win32RegionalSettings::Formats() const {
    platform::DateTimeFormats formats;
    // Pictures the system cannot name keep the built-in ones; empty AM/PM
    // marks are normal for 24-hour locales.
    if (const auto shortDate = LocaleText(LOCALE_SSHORTDATE); shortDate && !shortDate->empty())
        formats.shortDate = *shortDate;
    if (const auto longTime = LocaleText(LOCALE_STIMEFORMAT); longTime && !longTime->empty())
        formats.longTime = *longTime;
    if (const auto am = LocaleText(LOCALE_S1159)) formats.amDesignator = *am;
    if (const auto pm = LocaleText(LOCALE_S2359)) formats.pmDesignator = *pm;
    return formats;
}

}  // namespace velora::win32
