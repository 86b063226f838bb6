#include "controls/PageZoom.h"

#include <algorithm>
#include <array>

#include "text/Numbers.h"

namespace velora::controls {

namespace {

constexpr std::array<int, 13> kSteps{30, 50, 67, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};

constexpr unsigned kZero = 0x30;
constexpr unsigned kNumPadZero = 0x60;
constexpr unsigned kNumPadAdd = 0x6B;
constexpr unsigned kNumPadSubtract = 0x6D;
constexpr unsigned kPlus = 0xBB;   // the key with "+" (and "=" on US keyboards)
constexpr unsigned kMinus = 0xBD;

}  // namespace

int ClampZoom(int percent) { return std::clamp(percent, kZoomSmallest, kZoomLargest); }

int ZoomStepIn(int percent) {
    const int from = ClampZoom(percent);
    const auto next = std::upper_bound(kSteps.begin(), kSteps.end(), from);
    return next == kSteps.end() ? kSteps.back() : *next;
}

int ZoomStepOut(int percent) {
    const int from = ClampZoom(percent);
    const auto at = std::lower_bound(kSteps.begin(), kSteps.end(), from);
    return at == kSteps.begin() ? kSteps.front() : *(at - 1);
}

int ChangedZoom(int percent, ZoomChange change) {
    switch (change) {
        case ZoomChange::In: return ZoomStepIn(percent);
        case ZoomChange::Out: return ZoomStepOut(percent);
        case ZoomChange::Reset: return kZoomDefault;
        case ZoomChange::None: break;
    }
    return ClampZoom(percent);
}

int StoredZoom(std::string_view text) {
    const auto value = text::ParseInt64(text);
    if (!value) return kZoomDefault;
    return static_cast<int>(std::clamp<std::int64_t>(*value, kZoomSmallest, kZoomLargest));
}

ZoomChange ZoomKey(unsigned virtualKey, bool ctrl, bool alt) {
    if (!ctrl || alt) return ZoomChange::None;
    switch (virtualKey) {
        case kPlus:
        case kNumPadAdd: return ZoomChange::In;
        case kMinus:
        case kNumPadSubtract: return ZoomChange::Out;
        case kZero:
        case kNumPadZero: return ZoomChange::Reset;
        default: return ZoomChange::None;
    }
}

ZoomChange ZoomWheel(int delta, bool ctrl) {
    if (!ctrl || delta == 0) return ZoomChange::None;
    return delta > 0 ? ZoomChange::In : ZoomChange::Out;
}

}  // namespace velora::controls
