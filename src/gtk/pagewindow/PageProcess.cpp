#include "gtk/pagewindow/PageProcess.h"

#include <gio/gio.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

#include "gtk/raii/GlibError.h"
#include "gtk/raii/GlibString.h"

namespace velora::gtk {

namespace {

// This program's file. When a package update has replaced it meanwhile,
// the running image itself, so that both processes are of one version.
std::string OwnProgram() {
    const GlibString link(g_file_read_link("/proc/self/exe", nullptr));
    const std::string path = link.Get() ? link.Get() : "";
    constexpr std::string_view kDeleted = " (deleted)";
    if (path.empty() || path.ends_with(kDeleted)) return "/proc/self/exe";
    return path;
}

}  // namespace

PageProcess::~PageProcess() { Stop(); }

void PageProcess::Start(controls::RemoteProcessListener& listener) {
    if (channel_) return;
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return;
    const auto launcher = ObjectRef<GSubprocessLauncher>::Adopt(g_subprocess_launcher_new(G_SUBPROCESS_FLAGS_NONE));
    // The launcher closes the child's end here once the process has it.
    g_subprocess_launcher_take_fd(launcher.Get(), ends[1], kPageWindowChannel);
    const std::string program = OwnProgram();
    const char* const argv[] = {program.c_str(), kPageWindowSwitch, nullptr};
    GlibError error;
    process_ = ObjectRef<GSubprocess>::Adopt(g_subprocess_launcher_spawnv(launcher.Get(), argv, error.Receive()));
    if (!process_) {
        close(ends[0]);
        return;
    }
    channel_ = std::make_unique<LineChannel>(
        ends[0], [&listener](const controls::RemoteFields& fields) { listener.MessageArrived(fields); },
        [this, &listener] { Ended(listener); });
}

void PageProcess::Send(const controls::RemoteFields& fields) {
    if (channel_) channel_->Send(fields);
}

void PageProcess::Stop() {
    channel_.reset();
    process_.Reset();
}

void PageProcess::Ended(controls::RemoteProcessListener& listener) {
    Stop();
    listener.ProcessEnded();
}

}  // namespace velora::gtk
