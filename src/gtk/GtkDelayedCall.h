#pragma once
// Delayed calls as one-shot timeouts of the GLib main context.

#include <functional>
#include <memory>

#include "platform/Desktop.h"

namespace velora::gtk {

std::unique_ptr<platform::DelayedCall> CallOnTimeout(int milliseconds, std::function<void()> work);

}  // namespace velora::gtk
