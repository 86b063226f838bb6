#pragma once
// Conversions between stored texts and the values the store hands out.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velora::settings {

// A decimal integer: an optional sign, then digits, within 32 bits.
// Anything else raises EConvertError "'<text>' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);

// Reads a text as pairs of hexadecimal digits (a "0" put in front when its
// length is odd), at most maxBytes of them. A pair that is not hexadecimal
// raises the integer conversion error.
std::vector<std::uint8_t> HexPairsToBytes(std::string_view text, std::size_t maxBytes);

// The value of an 80-bit extended floating-point number given as its 10
// little-endian bytes, decoded bit by bit so that it does not depend on the
// compiler's long double.
double ExtendedToDouble(const std::array<std::uint8_t, 10>& bytes);

}  // namespace velora::settings
