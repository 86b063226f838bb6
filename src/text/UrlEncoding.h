#pragma once
// Values that go into a service address: whatever the settings or the system
// hand us, a value stays one value of the query, never a second parameter,
// a fragment or a path.

#include <string>
#include <string_view>

namespace velora::text {

// The value as it stands when it is a plain token (letters, digits and
// "-._~"); otherwise every other byte as %XX with upper-case hex digits.
std::string EncodeQueryValue(std::string_view value);

}  // namespace velora::text
