#pragma once
// The native side of the application object on Linux: its title, its end,
// and the loop that dispatches the events of GLib's default main context
// (windows, D-Bus calls, the download engine's hand-overs) until the end.

namespace velora::app {
class TApplication;
}

namespace velora::gtk {

class GtkMainLoop {
public:
    // Takes over the portable application object: its title and its end.
    void Attach(app::TApplication& application);
    bool Terminated() const;
    // Dispatches what is due, waiting for something when nothing is.
    void Iterate();
    void Run();

private:
    app::TApplication* application_ = nullptr;
};

}  // namespace velora::gtk
