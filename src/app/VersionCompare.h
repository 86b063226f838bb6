#pragma once
// Comparing dotted decimal version texts, component by component from the left.

#include <string>

namespace velora::app {

// Takes the next component off the front of `text` (up to the first "."):
// its number, or -1 when it is empty or no decimal integer.
int NextVersionComponent(std::string& text);

// 1 when `a` is older than `b`, -1 when newer, 0 when equal as far as both
// texts reach ("1.2" equals "1.2.0.5").
int CompareVersions(std::string a, std::string b);

}  // namespace velora::app
