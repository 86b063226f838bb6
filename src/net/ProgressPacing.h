#pragma once
// How the progress of a reply reaches the user-interface thread without
// holding up the transfer: the first block's progress is handed over while
// the worker waits, as are the events around the reply, so that a handler
// that answers Continue = False at once stops the transfer after that very
// block. After it, progress is queued for the user-interface thread: at most
// one waits there at a time, and at most one is queued per interval. Once
// the reply has been read, a last progress is handed over while the worker
// waits; a queued one that comes after it is dropped, so no progress ever
// follows the last one.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

namespace velora::net {

class ProgressPacing {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Clock = std::function<TimePoint()>;
    // At most 20 queued progress events a second.
    static constexpr std::chrono::milliseconds kInterval{50};

    enum class Handing { Wait, Queue, Skip };

    // Without a clock, the steady clock.
    explicit ProgressPacing(Clock clock);

    // On the worker, after each block of the reply: how to hand its progress
    // over. A Queue answer counts the progress as waiting at once.
    Handing AfterBlock();
    // On the worker: a progress to be queued could not be.
    void QueueRefused() { waiting_.store(false); }

    // On the user-interface thread, when a queued progress comes to run:
    // whether it is to be delivered (false once the last one was).
    bool TakeQueued();
    // On the user-interface thread, with the last progress of the reply (or
    // when the transfer ends without one): no queued progress follows.
    void Close() { closed_.store(true); }
    bool Closed() const { return closed_.load(); }

    // On the user-interface thread: the position the handler saw last (0
    // before any), so that the last progress reports only what is new.
    void Delivered(std::int64_t position) { delivered_ = position; }
    std::int64_t LastDelivered() const { return delivered_; }

private:
    Clock clock_;
    bool handedOver_ = false;  // worker only
    TimePoint lastHandedOver_{};
    std::atomic<bool> waiting_{false};
    std::atomic<bool> closed_{false};
    std::int64_t delivered_ = 0;  // user-interface thread only
};

}  // namespace velora::net
