#pragma once
// Text helpers shared by the whole program. All texts are single-byte strings
// in the system's ANSI code page (Windows-1252 for the languages we ship);
// letter case follows that code page's rules.

#include <string>
#include <string_view>

namespace velora::text {

char AnsiUpper(char c);
char AnsiLower(char c);
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);

// The one case-insensitive name comparison of the program: component,
// property, section, key and element names all match through it.
bool SameText(std::string_view a, std::string_view b);

// Strips bytes 0..32 (blanks and control characters) at both ends.
std::string Trim(std::string_view s);

// Replaces every occurrence of `from`, case-sensitive, left to right.
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);

bool StartsWith(std::string_view s, std::string_view prefix);

}  // namespace velora::text
