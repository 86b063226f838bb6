#pragma once
// Base64 (RFC 4648, the standard alphabet, with "=" padding): bytes as text
// that fits on one line of the settings file.

#include <optional>
#include <string>
#include <string_view>

namespace velora::text {

std::string Base64Encode(std::string_view bytes);
// None unless `text` is exactly what Base64Encode makes of some bytes: a
// whole number of four-character groups, padding only at the end, no other
// characters and no stray bits.
std::optional<std::string> Base64Decode(std::string_view text);

}  // namespace velora::text
