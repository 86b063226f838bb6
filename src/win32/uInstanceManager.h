#pragma once
// One running program per log-on. The first process owns the hidden window
// "veloraTray" of class "TInstanceManager"; a further start hands its command
// line to that window with WM_COPYDATA and ends, and the running program
// reacts (it opens the send page). Runs before any other window exists.

#include <windows.h>

#include <functional>

namespace velora::win32 {

enum class InstanceCheck {
    GoOn,        // this process runs: it is the first, or the running one refused
    HandedOver,  // this process must end now, with exit code 0
};

// The check at process start. Throws std::runtime_error with the system's
// text when the window class cannot be registered, the running instance's
// window cannot be found, or the own instance window cannot be created.
InstanceCheck RunInstanceCheck(HINSTANCE instance);

// Called in the running program on every hand-over, whatever the command

// The hidden window of the running program; nullptr in any other process.
HWND InstanceWindow();

// At the very end of the process.
void DestroyInstanceWindow();

}  // namespace velora::win32
