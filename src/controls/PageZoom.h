#pragma once
// The zoom of the pages, for people who need larger text: the steps the keys
// and the wheel go through (those browsers offer), the bounds, and how a
// stored value is read back.

#include <string_view>

namespace velora::controls {

inline constexpr int kZoomDefault = 100;
inline constexpr int kZoomSmallest = 30;
inline constexpr int kZoomLargest = 300;

// What a zoom key or a turn of the wheel with Ctrl asks for.
enum class ZoomChange { None, In, Out, Reset };

// Within the bounds; a value between two steps stays as it is.
int ClampZoom(int percent);
// The next step above or below `percent` (clamped first); the last step
// stays where it is.
int ZoomStepIn(int percent);
int ZoomStepOut(int percent);
// The zoom after `change`.
int ChangedZoom(int percent, ZoomChange change);

// A value read from the settings file: a whole number of percent, clamped;
// anything else (empty, a fraction, words, a number too large to read) is
// the default.
int StoredZoom(std::string_view text);

// The zoom keys of a key-down (Windows virtual-key codes): Ctrl with plus
// (the main keyboard's or the number pad's), with minus, or with 0; Shift
// does not matter (a plus that needs Shift), Alt makes it another key.
ZoomChange ZoomKey(unsigned virtualKey, bool ctrl, bool alt);
// A turn of the wheel with Ctrl: up (a positive delta) zooms in.
ZoomChange ZoomWheel(int delta, bool ctrl);

}  // namespace velora::controls
