#pragma once
// What a grabber shares with the workers it started. A worker may outlive its
// grabber: it then still finds the link, sees that the grabber is gone and
// delivers nothing more.

#include <atomic>
#include <cstdint>
#include <mutex>

#include "net/UrlGrabberTypes.h"

namespace velora::net {

class TCustomUrlGrabber;

class GrabberLink {
public:
    explicit GrabberLink(TCustomUrlGrabber& grabber) : grabber_(&grabber) {}

    // Read and cleared on the user-interface thread only; nullptr once the
    // grabber has been destroyed.
    TCustomUrlGrabber* Grabber() const { return grabber_.load(); }
    void GrabberGone() { grabber_.store(nullptr); }

    GrabberStatus State() const { return state_.load(); }
    // Only the worker started last may change the state: a stopped worker
    // that ends after its successor started must not make the grabber look
    // idle in the middle of the new transfer.
    void SetState(std::uint64_t worker, GrabberStatus status) {
        std::lock_guard lock(mutex_);
        if (worker == currentWorker_) state_.store(status);
    }
    // Makes a new worker the one that owns the state and returns its number.
    std::uint64_t RegisterWorker() {
        std::lock_guard lock(mutex_);
        return ++currentWorker_;
    }

private:
    std::atomic<TCustomUrlGrabber*> grabber_;
    std::atomic<GrabberStatus> state_{stIdle};
    std::mutex mutex_;
    std::uint64_t currentWorker_ = 0;
};

}  // namespace velora::net
