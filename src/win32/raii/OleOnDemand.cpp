#include "win32/raii/OleOnDemand.h"

#include <new>

namespace velora::win32 {

OleOnDemand* OleOnDemand::current_ = nullptr;

OleOnDemand::OleOnDemand() noexcept : thread_(GetCurrentThreadId()) {
    if (!current_) current_ = this;
}

OleOnDemand::~OleOnDemand() {
    if (current_ == this) current_ = nullptr;
}

void OleOnDemand::Ensure() noexcept {
    if (!current_ || current_->ole_ || GetCurrentThreadId() != current_->thread_) return;
    // Constructed in place: the guard cannot be moved.
    current_->ole_.reset(new (std::nothrow) ComInitialization(ComInitialization::Ole()));
}

}  // namespace velora::win32
