#pragma once
// The forms are designed at 96 dots per inch. A window on a screen of
// another density shows them larger or smaller: its peer turns every
// designed length into the screen's pixels here, rounding as the system's
// MulDiv does, so that every place that scales arrives at the same pixel.
// Layouts are always computed from the design, never from an earlier scaled
// layout: a move to another density and back gives the same pixels again.

namespace velora::controls {

class DpiScale {
public:
    static constexpr int kDesignDpi = 96;

    DpiScale() = default;
    // A density no screen has (zero or less) counts as the design's.
    explicit DpiScale(int dpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}

    int Dpi() const { return dpi_; }
    // A designed length or coordinate in pixels of this density.
    int ToDevice(int designPixels) const;
    // The smallest designed length that covers `devicePixels` at this
    // density: what a control that follows its content stores as its size.
    int ToDesignCovering(int devicePixels) const;
    // The height in pixels of a font of `points` points (1/72 inch).
    int FontHeight(int points) const;

    bool operator==(const DpiScale&) const = default;

private:
    int dpi_ = kDesignDpi;
};

// number * numerator / denominator, rounded to the nearest whole number with
// halves away from zero (as MulDiv); clamped to the range of int, and 0 for
// a zero denominator.
int MulDivRounded(int number, int numerator, int denominator);

}  // namespace velora::controls
