#pragma once
// The process of the page window: this program started again with
// kPageWindowSwitch, holding one end of a socket pair at kPageWindowChannel,
// the lines of controls/remote/ going through it (LineChannel.h). The
// process ends when its end of the channel closes: when asked to (Stop),
// and with this program, also when this one is killed. Its standard
// streams are this program's.

#include <memory>

#include "controls/remote/RemoteProcess.h"
#include "gtk/pagewindow/LineChannel.h"
#include "gtk/raii/ObjectRef.h"

typedef struct _GSubprocess GSubprocess;

namespace velora::gtk {

inline constexpr char kPageWindowSwitch[] = "--page-window";
// The descriptor the page window's process finds its end of the channel at.
inline constexpr int kPageWindowChannel = 3;

class PageProcess final : public controls::RemoteProcess {
public:
    PageProcess() = default;
    ~PageProcess() override;
    PageProcess(const PageProcess&) = delete;
    PageProcess& operator=(const PageProcess&) = delete;

    void Start(controls::RemoteProcessListener& listener) override;
    bool Running() const override { return channel_ != nullptr; }
    void Send(const controls::RemoteFields& fields) override;
    void Stop() override;

private:
    void Ended(controls::RemoteProcessListener& listener);

    std::unique_ptr<LineChannel> channel_;
    // GLib reaps the process when it ends, also once this reference is gone.
    ObjectRef<GSubprocess> process_;
};

}  // namespace velora::gtk
