#include "i18n/XmlValueDecoding.h"

#include "text/Numbers.h"

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
        value = text::ParseInt64(number);
    } else if (auto hex = text::ParseDigits(number, 16); hex && *hex <= std::numeric_limits<std::int64_t>::max()) {
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

std::int64_t XmlIntValue(std::string_view text) {
    return text::ParseInt64(text).value_or(-1);
}

}  // namespace velora::i18n
