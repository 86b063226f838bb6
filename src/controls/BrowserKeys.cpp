#include "controls/BrowserKeys.h"

namespace velora::controls {

namespace {
constexpr unsigned kKeyDown = 0x0100;
constexpr unsigned kKeyUp = 0x0101;
constexpr unsigned kBackspace = 8;
constexpr unsigned kLeftArrow = 37;
constexpr unsigned kDownArrow = 40;  // Left, Up, Right, Down follow each other
}  // namespace

bool PassesToBrowserAccelerator(unsigned message, unsigned virtualKey) {
    if (message != kKeyDown && message != kKeyUp) return true;
    const bool editingKey = virtualKey == kBackspace || (virtualKey >= kLeftArrow && virtualKey <= kDownArrow);
    return !editingKey;
}

}  // namespace velora::controls
