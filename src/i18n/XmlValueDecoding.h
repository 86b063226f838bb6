#pragma once
// Reading attribute and text values of the XML reader: character references
// and the five named entities, and values read as numbers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velora::i18n {

// Decodes, left to right and exactly once, "&#n;" / "&#xh;" references
// greater than 0 (to one byte, the number's low 8 bits) and "&amp;", "&lt;",
// "&gt;", "&apos;", "&quot;" in any letter case. Every other "&" stays.
std::string DecodeXmlValue(std::string_view raw);

// A value read as a 64-bit decimal integer, -1 when it is not a number.
std::int64_t XmlIntValue(std::string_view text);

}  // namespace velora::i18n
