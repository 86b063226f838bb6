#include "controls/DpiScale.h"

#include <cstdint>
#include <limits>

namespace velora::controls {

int MulDivRounded(int number, int numerator, int denominator) {
    if (denominator == 0) return 0;
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const std::int64_t magnitude = product < 0 ? -product : product;
    const std::int64_t divisor = denominator < 0 ? -static_cast<std::int64_t>(denominator) : denominator;
    std::int64_t quotient = (magnitude + divisor / 2) / divisor;
    if ((product < 0) != (denominator < 0)) quotient = -quotient;
    if (quotient > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (quotient < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(quotient);
}

int DpiScale::ToDevice(int designPixels) const { return MulDivRounded(designPixels, dpi_, kDesignDpi); }

int DpiScale::ToDesignCovering(int devicePixels) const {
    int design = MulDivRounded(devicePixels, kDesignDpi, dpi_);
    // Rounding may land one below or above the smallest covering length.
    constexpr int kLargest = std::numeric_limits<int>::max(), kSmallest = std::numeric_limits<int>::min();
    while (design < kLargest && ToDevice(design) < devicePixels) ++design;
    while (design > kSmallest && ToDevice(design - 1) >= devicePixels) --design;
    return design;
}

int DpiScale::FontHeight(int points) const { return MulDivRounded(points, dpi_, 72); }

}  // namespace velora::controls
