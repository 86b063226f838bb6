#pragma once
// The program's one number parser: every number read from a settings file, a
// language file, a server's reply or a caption goes through these.

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace velora::text {

// Digits only (no sign, no prefix), at least one, in base 10 or 16 (either
// letter case); nothing when another character is found or the value would
// exceed `max`.
std::optional<std::uint64_t> ParseDigits(std::string_view digits, int base,
                                         std::uint64_t max = std::numeric_limits<std::uint64_t>::max());

// An optional "+" or "-", then decimal digits; nothing when the text is
// anything else or the value does not fit.
std::optional<std::int64_t> ParseInt64(std::string_view text);
std::optional<std::int32_t> ParseInt32(std::string_view text);

}  // namespace velora::text
