#pragma once
// The dictionary the page's spell checker follows: the interface language.
// Every page address the program opens carries it, and the language switch
// rewrites it there (RewriteLanguageInUrl), so the address the program
// navigates to tells which one is in force.

#include <optional>
#include <string>
#include <string_view>

namespace velora::i18n {

// The language code in the address where the switch would write it: the two
// characters after the first "lang%3D", or else after the first "lang=",
// in any letter case; nothing when they are not one of the shipped
// languages.
std::optional<std::string> LanguageInUrl(std::string_view url);

// The dictionary name of a shipped language: "de_DE" for "de", "en_US" for
// "en"; nothing for any other code.
std::optional<std::string> SpellingDictionary(std::string_view code);

}  // namespace velora::i18n
