#include "settings/ValueConversion.h"

#include <cmath>
#include <limits>

#include "settings/StorageErrors.h"
#include "text/Numbers.h"

namespace velora::settings {

std::int32_t StrToInt(std::string_view text) {
    if (const auto value = text::ParseInt32(text)) return *value;
    throw InvalidIntegerError(std::string(text));
}

namespace {
int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

std::vector<std::uint8_t> HexPairsToBytes(std::string_view text, std::size_t maxBytes) {
    std::string digits;
    if (text.size() % 2 != 0) digits = "0";
    digits.append(text);

    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < digits.size() && bytes.size() < maxBytes; i += 2) {
        const int high = HexDigit(digits[i]);
        const int low = HexDigit(digits[i + 1]);
        if (high < 0 || low < 0) throw InvalidIntegerError(digits.substr(i, 2));
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

double ExtendedToDouble(const std::array<std::uint8_t, 10>& bytes) {
    std::uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | bytes[i];
    const unsigned signAndExponent = static_cast<unsigned>(bytes[9]) << 8 | bytes[8];
    const bool negative = (signAndExponent & 0x8000) != 0;
    const int exponent = static_cast<int>(signAndExponent & 0x7FFF);

    double magnitude;
    if (exponent == 0x7FFF) {
        // The integer bit is not part of the infinity/NaN distinction.
        const bool fractionZero = (mantissa & 0x7FFFFFFFFFFFFFFFull) == 0;
        magnitude = fractionZero ? std::numeric_limits<double>::infinity()
                                 : std::numeric_limits<double>::quiet_NaN();
    } else {
        // The mantissa carries an explicit integer bit (bit 63); denormals have
        // the exponent of 1 with that bit clear.
        const int unbiased = (exponent == 0 ? 1 : exponent) - 16383;
        magnitude = std::ldexp(static_cast<double>(mantissa), unbiased - 63);
    }
    return negative ? -magnitude : magnitude;
}

}  // namespace velora::settings
