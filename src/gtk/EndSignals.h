#pragma once
// SIGTERM (logging out, `systemctl --user stop`, `kill`), SIGINT (Ctrl+C in
// a terminal) and SIGHUP (the terminal closed) end the program as the tray
// menu's exit entry does: the window's position is stored, the tray item is
// withdrawn and the exit code is 0. The signals arrive as events of GLib's
// default main context, so the end runs on the user-interface thread,
// whichever loop (the program's, a modal dialog's) is running.

#include <vector>

namespace velora::gtk {

class EndSignals {
public:
    // Catches the signals while the object lives.
    EndSignals();
    ~EndSignals();
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

private:
    std::vector<unsigned> sources_;
};

}  // namespace velora::gtk
