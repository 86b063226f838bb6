#include "settings/DateTimeText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "settings/StorageErrors.h"
#include "text/Text.h"

namespace velora::settings {

namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;
constexpr std::int64_t kFirstDay = -693'593;  // 1 January 0001
constexpr std::int64_t kLastDay = 2'958'465;  // 31 December 9999
constexpr std::int64_t kZeroDateFrom1970 = -25'569;

// Days between 1 January 1970 and the given proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// ---- Pictures ---------------------------------------------------------------

enum class Field { Day, Month, Year, Hour12, Hour24, Minute, Second, AmPm, Nothing, Literal, Blanks };

struct Token {
    Field field;
    int width = 0;     // 1: no leading zero; 2: two digits (numbers); 1: first letter only (AM/PM)
    std::string text;  // Literal and Blanks
};

bool IsNumber(Field field) {
    return field == Field::Day || field == Field::Month || field == Field::Year || field == Field::Hour12 ||
           field == Field::Hour24 || field == Field::Minute || field == Field::Second;
}

std::vector<Token> Tokenize(std::string_view picture) {
    std::vector<Token> tokens;
    auto literal = [&tokens](std::string_view text) {
        if (!tokens.empty() && tokens.back().field == Field::Literal)
            tokens.back().text.append(text);
        else
            tokens.push_back({Field::Literal, 0, std::string(text)});
    };
    std::size_t i = 0;
    while (i < picture.size()) {
        const char c = picture[i];
        if (c == '\'') {  // quoted text; '' inside stands for one quote
            std::string quoted;
            for (++i; i < picture.size(); ++i) {
                if (picture[i] != '\'') {
                    quoted += picture[i];
                } else if (i + 1 < picture.size() && picture[i + 1] == '\'') {
                    quoted += '\'';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
            literal(quoted);
            continue;
        }
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c) ++run;
        const int width = run >= 2 ? 2 : 1;
        switch (c) {
            case 'd': tokens.push_back({run >= 3 ? Field::Nothing : Field::Day, width, {}}); break;  // no day names
            case 'M': tokens.push_back({Field::Month, width, {}}); break;  // month names are written as numbers
            case 'y': tokens.push_back({Field::Year, 4, {}}); break;
            case 'h': tokens.push_back({Field::Hour12, width, {}}); break;
            case 'H': tokens.push_back({Field::Hour24, width, {}}); break;
            case 'm': tokens.push_back({Field::Minute, width, {}}); break;
            case 's': tokens.push_back({Field::Second, width, {}}); break;
            case 't': tokens.push_back({Field::AmPm, width, {}}); break;
            case ' ': tokens.push_back({Field::Blanks, 0, std::string(run, ' ')}); break;
            default: literal(picture.substr(i, run)); break;
        }
        i += run;
    }
    return tokens;
}

std::string Designator(const std::string& designator, int width) {
    return width == 1 ? designator.substr(0, 1) : designator;
}

// Whether the picture has 12-hour digits and AM/PM marks that, as written,
// tell morning from afternoon.
bool WritesTwelveHours(const std::vector<Token>& tokens, const platform::DateTimeFormats& formats) {
    bool hasMark = false, hasTwelveHours = false;
    for (const Token& token : tokens) {
        if (token.field == Field::Hour12) hasTwelveHours = true;
        if (token.field != Field::AmPm) continue;
        const std::string am = Designator(formats.amDesignator, token.width);
        const std::string pm = Designator(formats.pmDesignator, token.width);
        if (am.empty() || pm.empty() || text::SameText(am, pm)) return false;
        hasMark = true;
    }
    return hasMark && hasTwelveHours;
}

// ---- Writing ------------------------------------------------------------------

void AppendNumber(std::string& out, int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    out += buffer;
}

void AppendPicture(std::string& out, std::string_view picture, const DateTimeParts& parts,
                   const platform::DateTimeFormats& formats) {
    const std::vector<Token> tokens = Tokenize(picture);
    const bool twelveHour = WritesTwelveHours(tokens, formats);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        // A number followed directly by another one gets its full width, or
        // the two could not be told apart when reading.
        const bool joined = i + 1 < tokens.size() && IsNumber(tokens[i + 1].field);
        const int width = joined ? std::max(token.width, 2) : token.width;
        switch (token.field) {
            case Field::Day: AppendNumber(out, parts.day, width); break;
            case Field::Month: AppendNumber(out, parts.month, width); break;
            case Field::Year: AppendNumber(out, parts.year, 4); break;
            case Field::Hour12:
                if (twelveHour)
                    AppendNumber(out, parts.hour % 12 == 0 ? 12 : parts.hour % 12, width);
                else
                    AppendNumber(out, parts.hour, width);
                break;
            case Field::Hour24: AppendNumber(out, parts.hour, width); break;
            case Field::Minute: AppendNumber(out, parts.minute, width); break;
            case Field::Second: AppendNumber(out, parts.second, width); break;
            case Field::AmPm:
                if (twelveHour)
                    out += Designator(parts.hour < 12 ? formats.amDesignator : formats.pmDesignator, token.width);
                break;
            case Field::Literal:
            case Field::Blanks: out += token.text; break;
            case Field::Nothing: break;
        }
    }
}

// ---- Reading ------------------------------------------------------------------

struct ReadFields {
    int day = -1, month = -1, year = -1, hour = -1, minute = 0, second = 0;
    int halfOfDay = -1;  // 0 AM, 1 PM, -1 none
    bool anyDateField = false;
};

class Reader {
public:
    Reader(std::string_view text, const platform::DateTimeFormats& formats) : text_(text), formats_(formats) {}

    std::size_t Position() const { return pos_; }
    // Only blanks left.
    bool AtEnd() const { return text_.find_first_not_of(' ', pos_) == std::string_view::npos; }

    // Follows the picture. A date needs all of its fields; a time may stop
    // anywhere once its hour is read (the caller then looks for an AM/PM
    // mark and the end of the text).
    bool Match(const std::vector<Token>& tokens, bool isTime, ReadFields& fields) {
        for (const Token& token : tokens) {
            const std::size_t start = pos_;
            if (!MatchToken(token, fields)) {
                pos_ = start;
                return isTime && fields.hour >= 0;
            }
        }
        return true;
    }

    // An AM/PM mark the picture did not place, at the end of the time.
    void ReadTrailingHalfOfDay(ReadFields& fields) {
        if (fields.halfOfDay < 0) ReadHalfOfDay(fields);
    }

private:
    bool MatchToken(const Token& token, ReadFields& fields) {
        switch (token.field) {
            case Field::Blanks: SkipBlanks(); return true;
            case Field::Literal:
                if (!text::SameText(text_.substr(pos_, token.text.size()), token.text)) return false;
                pos_ += token.text.size();
                return true;
            case Field::AmPm: ReadHalfOfDay(fields); return true;  // optional
            case Field::Nothing: return true;
            default: {
                int digits = 0;
                int value = 0;
                if (!ReadNumber(token.field == Field::Year ? 4 : 2, value, digits)) return false;
                Store(token.field, value, digits, fields);
                return true;
            }
        }
    }

    void SkipBlanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    }

    bool ReadNumber(int maxDigits, int& value, int& digits) {
        SkipBlanks();
        value = 0;
        digits = 0;
        while (digits < maxDigits && pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            value = value * 10 + (text_[pos_++] - '0');
            ++digits;
        }
        return digits > 0;
    }

    void ReadHalfOfDay(ReadFields& fields) {
        const std::size_t start = pos_;
        SkipBlanks();
        // Whole marks before their first letters, the longer whole mark first.
        const std::string candidates[4] = {formats_.amDesignator, formats_.pmDesignator,
                                           formats_.amDesignator.substr(0, 1), formats_.pmDesignator.substr(0, 1)};
        int order[4] = {0, 1, 2, 3};
        if (formats_.pmDesignator.size() > formats_.amDesignator.size()) std::swap(order[0], order[1]);
        for (const int index : order) {
            const std::string& mark = candidates[index];
            if (!mark.empty() && text::SameText(text_.substr(pos_, mark.size()), mark)) {
                pos_ += mark.size();
                fields.halfOfDay = index % 2;
                return;
            }
        }
        pos_ = start;
    }

    static void Store(Field field, int value, int digits, ReadFields& fields) {
        switch (field) {
            case Field::Day: fields.day = value; fields.anyDateField = true; break;
            case Field::Month: fields.month = value; fields.anyDateField = true; break;
            case Field::Year:
                // Two digits name a year from 1930 to 2029.
                fields.year = digits <= 2 ? (value < 30 ? 2000 + value : 1900 + value) : value;
                fields.anyDateField = true;
                break;
            case Field::Hour12:
            case Field::Hour24: fields.hour = value; break;
            case Field::Minute: fields.minute = value; break;
            case Field::Second: fields.second = value; break;
            default: break;
        }
    }

    std::string_view text_;
    const platform::DateTimeFormats& formats_;
    std::size_t pos_ = 0;
};

std::optional<double> TimeOfDay(const ReadFields& fields) {
    int hour = fields.hour;
    if (hour < 0 || fields.minute > 59 || fields.second > 59) return std::nullopt;
    // A mark beside a 24-hour figure changes nothing.
    if (fields.halfOfDay >= 0 && hour <= 12) hour = hour % 12 + (fields.halfOfDay == 1 ? 12 : 0);
    if (hour > 23) return std::nullopt;
    return static_cast<double>(hour * 3600 + fields.minute * 60 + fields.second) / 86400.0;
}

std::optional<double> ReadTime(std::string_view text, const platform::DateTimeFormats& formats) {
    Reader reader(text, formats);
    ReadFields fields;
    if (!reader.Match(Tokenize(formats.longTime), true, fields)) return std::nullopt;
    reader.ReadTrailingHalfOfDay(fields);
    if (!reader.AtEnd()) return std::nullopt;
    return TimeOfDay(fields);
}

TDateTime Combine(std::int64_t days, double timeOfDay) {
    return days >= 0 ? static_cast<double>(days) + timeOfDay : static_cast<double>(days) - timeOfDay;
}

}  // namespace

std::optional<TDateTime> EncodeDateTime(const DateTimeParts& parts) {
    if (parts.year < 1 || parts.year > 9999 || parts.month < 1 || parts.month > 12 || parts.day < 1 ||
        parts.day > DaysInMonth(parts.year, parts.month))
        return std::nullopt;
    if (parts.hour < 0 || parts.hour > 23 || parts.minute < 0 || parts.minute > 59 || parts.second < 0 ||
        parts.second > 59 || parts.millisecond < 0 || parts.millisecond > 999)
        return std::nullopt;
    const std::int64_t days = DaysFromCivil(parts.year, parts.month, parts.day) - kZeroDateFrom1970;
    const std::int64_t ms = ((parts.hour * 60LL + parts.minute) * 60 + parts.second) * 1000 + parts.millisecond;
    return Combine(days, static_cast<double>(ms) / kMsPerDay);
}

std::optional<DateTimeParts> DecodeDateTime(TDateTime value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double whole = std::trunc(value);
    if (whole < kFirstDay || whole > kLastDay) return std::nullopt;
    std::int64_t days = static_cast<std::int64_t>(whole);
    std::int64_t ms = std::llround(std::fabs(value - whole) * kMsPerDay);
    if (ms >= kMsPerDay) {  // rounded up to the next midnight
        ms -= kMsPerDay;
        days += value < 0 ? -1 : 1;
        if (days < kFirstDay || days > kLastDay) return std::nullopt;
    }
    DateTimeParts parts;
    CivilFromDays(days + kZeroDateFrom1970, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(ms / 3'600'000);
    parts.minute = static_cast<int>(ms / 60'000 % 60);
    parts.second = static_cast<int>(ms / 1000 % 60);
    parts.millisecond = static_cast<int>(ms % 1000);
    return parts;
}

std::string DateTimeToText(TDateTime value, const platform::DateTimeFormats& formats) {
    const std::optional<DateTimeParts> parts = DecodeDateTime(value);
    if (!parts) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%g", value);
        throw EConvertError("'" + std::string(buffer) + "' is not a valid date and time");
    }
    std::string out;
    AppendPicture(out, formats.shortDate, *parts, formats);
    if (parts->hour != 0 || parts->minute != 0 || parts->second != 0 || parts->millisecond != 0) {
        out += ' ';
        AppendPicture(out, formats.longTime, *parts, formats);
    }
    return out;
}

std::optional<TDateTime> TextToDateTime(std::string_view text, const platform::DateTimeFormats& formats) {
    Reader reader(text, formats);
    ReadFields date;
    if (reader.Match(Tokenize(formats.shortDate), false, date) && date.anyDateField) {
        DateTimeParts parts;
        if (date.year >= 0) parts.year = date.year;
        if (date.month >= 0) parts.month = date.month;
        if (date.day >= 0) parts.day = date.day;
        if (const std::optional<TDateTime> day = EncodeDateTime(parts)) {
            const std::size_t timeStart = reader.Position();
            if (reader.AtEnd()) return day;
            if (const std::optional<double> time = ReadTime(text.substr(timeStart), formats))
                return Combine(static_cast<std::int64_t>(*day), *time);
        }
    }
    return ReadTime(text, formats);
}

}  // namespace velora::settings
