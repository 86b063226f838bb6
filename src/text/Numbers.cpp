#include "text/Numbers.h"

namespace velora::text {

namespace {
int DigitValue(char c, int base) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    return digit < base ? digit : -1;
}
}  // namespace

std::optional<std::uint64_t> ParseDigits(std::string_view digits, int base, std::uint64_t max) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int digit = DigitValue(c, base);
        if (digit < 0) return std::nullopt;
        if (value > (max - static_cast<std::uint64_t>(digit)) / static_cast<std::uint64_t>(base)) return std::nullopt;
        value = value * base + digit;
    }
    return value;
}

std::optional<std::int64_t> ParseInt64(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    const auto magnitude = ParseDigits(text, 10, negative ? kMax + 1 : kMax);
    if (!magnitude) return std::nullopt;
    if (!negative) return static_cast<std::int64_t>(*magnitude);
    return *magnitude == kMax + 1 ? std::numeric_limits<std::int64_t>::min() : -static_cast<std::int64_t>(*magnitude);
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
    const auto value = ParseInt64(text);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() || *value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

}  // namespace velora::text
