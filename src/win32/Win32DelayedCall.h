#pragma once
// Delayed calls on thread timers: the message loop of the thread that asked
// (the user-interface thread), modal loops among it, makes the call.

#include <functional>
#include <memory>

#include "platform/Desktop.h"

namespace velora::win32 {

std::unique_ptr<platform::DelayedCall> CallOnThreadTimer(int milliseconds, std::function<void()> work);

}  // namespace velora::win32
