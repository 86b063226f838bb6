#include "i18n/SpellingLanguage.h"

#include "text/Text.h"

namespace velora::i18n {

std::optional<std::string> LanguageInUrl(std::string_view url) {
    std::size_t valueAt = std::string_view::npos;
    if (const auto encoded = url.find("lang%3D"); encoded != std::string_view::npos)
        valueAt = encoded + 7;
    else if (const auto plain = url.find("lang="); plain != std::string_view::npos)
        valueAt = plain + 5;
    if (valueAt == std::string_view::npos || url.size() - valueAt < 2) return std::nullopt;
    const std::string code = text::AnsiLowerCase(url.substr(valueAt, 2));
    // A longer value ("deu") is no code of ours.
    if (url.size() > valueAt + 2) {
        const char next = url[valueAt + 2];
        if (next != '&' && next != '#' && next != '%') return std::nullopt;
    }
    if (code != "de" && code != "en") return std::nullopt;
    return code;
}

std::optional<std::string> SpellingDictionary(std::string_view code) {
    if (text::SameText(code, "de")) return std::string("de_DE");
    if (text::SameText(code, "en")) return std::string("en_US");
    return std::nullopt;
}

}  // namespace velora::i18n
