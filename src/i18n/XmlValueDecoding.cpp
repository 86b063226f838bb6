#include "i18n/XmlValueDecoding.h"

#include <limits>
#include <utility>

#include "text/Text.h"

namespace velora::i18n {

namespace {

struct NamedEntity {
    std::string_view text;
    char replacement;
};

constexpr NamedEntity kNamedEntities[] = {
    {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&apos;", '\''}, {"&quot;", '"'},
};

int DigitValue(char c, int base) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    return digit < base ? digit : -1;
}

// Unsigned digits only, at least one, without overflow.
std::optional<std::uint64_t> ParseDigits(std::string_view text, int base) {
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        const int digit = DigitValue(c, base);
        if (digit < 0) return std::nullopt;
        if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / base) return std::nullopt;
        value = value * base + digit;
    }
    return value;
}

// "&#..." at `amp`: the byte it stands for and the position behind its ";",
// or nothing when the reference does not give a number greater than 0.
std::optional<std::pair<char, size_t>> DecodeCharReference(std::string_view raw, size_t amp) {
    size_t digits = amp + 2;
    int base = 10;
    if (digits < raw.size() && (raw[digits] == 'x' || raw[digits] == 'X')) {
        base = 16;
        ++digits;
    }
    const size_t semicolon = raw.find(';', digits);
    if (semicolon == std::string_view::npos) return std::nullopt;
    const std::string_view number = raw.substr(digits, semicolon - digits);
    std::optional<std::int64_t> value;
    if (base == 10) {
        value = ParseDecimalInt64(number);
    } else if (auto hex = ParseDigits(number, 16); hex && *hex <= std::numeric_limits<std::int64_t>::max()) {
        value = static_cast<std::int64_t>(*hex);
    }
    if (!value || *value <= 0) return std::nullopt;
    return std::pair{static_cast<char>(*value & 0xFF), semicolon + 1};
}

}  // namespace

std::string DecodeXmlValue(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    size_t pos = 0;
    while (pos < raw.size()) {
        const size_t amp = raw.find('&', pos);
        if (amp == std::string_view::npos) break;
        out.append(raw.substr(pos, amp - pos));
        pos = amp + 1;  // an "&" that is not a reference stays as it is

        if (raw.substr(amp, 2) == "&#") {
            if (auto decoded = DecodeCharReference(raw, amp)) {
                out.push_back(decoded->first);
                pos = decoded->second;
                continue;
            }
            out.push_back('&');
            continue;
        }
        bool named = false;
        for (const NamedEntity& entity : kNamedEntities) {
            if (text::SameText(raw.substr(amp, entity.text.size()), entity.text)) {
                out.push_back(entity.replacement);
                pos = amp + entity.text.size();
                named = true;
                break;
            }
        }
        if (!named) out.push_back('&');
    }
    out.append(raw.substr(pos));
    return out;
}

std::optional<std::int64_t> ParseDecimalInt64(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto magnitude = ParseDigits(text, 10);
    if (!magnitude) return std::nullopt;
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (negative) {
        if (*magnitude > kMax + 1) return std::nullopt;
        return *magnitude == kMax + 1 ? std::numeric_limits<std::int64_t>::min()
                                      : -static_cast<std::int64_t>(*magnitude);
    }
    if (*magnitude > kMax) return std::nullopt;
    return static_cast<std::int64_t>(*magnitude);
}

std::int64_t XmlIntValue(std::string_view text) {
    return ParseDecimalInt64(text).value_or(-1);
}

}  // namespace velora::i18n
