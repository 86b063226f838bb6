#include "net/ProgressPacing.h"

#include <utility>

namespace velora::net {

ProgressPacing::ProgressPacing(Clock clock) : clock_(std::move(clock)) {
    if (!clock_) clock_ = [] { return std::chrono::steady_clock::now(); };
}

ProgressPacing::Handing ProgressPacing::AfterBlock() {
    const TimePoint now = clock_();
    if (!handedOver_) {
        handedOver_ = true;
        lastHandedOver_ = now;
        return Handing::Wait;
    }
    if (now - lastHandedOver_ < kInterval || waiting_.load()) return Handing::Skip;
    lastHandedOver_ = now;
    waiting_.store(true);
    return Handing::Queue;
}

bool ProgressPacing::TakeQueued() {
    waiting_.store(false);
    return !closed_.load();
}

}  // namespace velora::net
