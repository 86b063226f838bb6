#pragma once
// The application's general error display on Linux: a message box with the
// exception's text (controls/peers/ExceptionMessage.h), captioned
// "VELORA Desktop".

#include <exception>

namespace velora::gtk {

void ShowException(std::exception_ptr error);

// Runs program code from a GLib callback (a signal, a timeout, a D-Bus
// reply): an exception goes to the error display instead of unwinding
// through GLib.
template <class Action>
void Guarded(Action&& action) {
    try {
        action();
    } catch (...) {
        ShowException(std::current_exception());
    }
}

}  // namespace velora::gtk
