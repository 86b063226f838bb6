#pragma once
// An end the desktop asks for (logging out, stopping the session's service,
// `kill`): the program ends as through the tray menu's exit entry, which the
// main window sets as the hook. Without the hook (before the main window
// exists, or after it is gone) the application is simply asked to end.

#include <functional>

namespace velora::app {

std::function<void()>& OnEndRequested();

// Runs the hook, or terminates the application object if there is one.
void RequestEnd();

}  // namespace velora::app
