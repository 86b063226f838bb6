#include "gtk/GtkDesktop.h"

#include <gio/gio.h>
#include <glib/gstdio.h>
#include <gtk/gtk.h>

#include "app/uModuleMain.h"
#include "gtk/AnsiText.h"
#include "gtk/AutostartEntry.h"
#include "gtk/GtkDelayedCall.h"
#include "gtk/MessageBox.h"
#include "gtk/raii/GlibError.h"
#include "gtk/raii/GlibString.h"

namespace velora::gtk {

namespace {

GdkRectangle FirstMonitorGeometry() {
    GdkRectangle area{0, 0, 0, 0};
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = display ? gdk_display_get_monitor(display, 0) : nullptr;
    if (monitor) gdk_monitor_get_geometry(monitor, &area);
    return area;
}

}  // namespace

GtkDesktop::GtkDesktop(std::string configFolder) : configFolder_(std::move(configFolder)) {}

int GtkDesktop::MonitorCount() const {
    GdkDisplay* display = gdk_display_get_default();
    return display ? gdk_display_get_n_monitors(display) : 0;
}

int GtkDesktop::ScreenWidth() const { return FirstMonitorGeometry().width; }
int GtkDesktop::ScreenHeight() const { return FirstMonitorGeometry().height; }

platform::Rect GtkDesktop::WorkArea() const {
    GdkRectangle area{0, 0, 0, 0};
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = display ? gdk_display_get_primary_monitor(display) : nullptr;
    if (!monitor && display) monitor = gdk_display_get_monitor(display, 0);
    if (monitor) gdk_monitor_get_workarea(monitor, &area);
    return {area.x, area.y, area.x + area.width, area.y + area.height};
}

void GtkDesktop::ShowMessage(const std::string& text, const std::string& caption) {
    RunMessageBox(MessageKind::Message, ToUtf8(text), ToUtf8(caption));
}

std::intptr_t GtkDesktop::ShellOpen(const std::string& target, const std::string&) {
    std::string uri = ToUtf8(target);
    if (!uri.empty() && uri.front() == '/') {
        const GlibString fileUri(g_filename_to_uri(target.c_str(), nullptr, nullptr));
        if (!fileUri) return 2;
        uri = fileUri.Copy();
    }
    GlibError error;
    const gboolean launched = g_app_info_launch_default_for_uri(uri.c_str(), nullptr, error.Receive());
    return launched ? 42 : 2;
}

std::unique_ptr<platform::DelayedCall> GtkDesktop::CallLater(int milliseconds, std::function<void()> work) {
    return CallOnTimeout(milliseconds, std::move(work));
}

std::string GtkDesktop::AutostartFile() const { return configFolder_ + "/autostart/" + kAutostartFileName; }

void GtkDesktop::SetRunValue(const std::string& name, const std::string& data) {
    if (name != app::AutostartValueName) return;
    const std::string folder = configFolder_ + "/autostart";
    if (g_mkdir_with_parents(folder.c_str(), 0700) != 0) return;
    // The path's bytes as the system gave them (file names are not
    // Windows-1252 here). Written beside and renamed over: never half an entry.
    const std::string entry = AutostartEntryText(data);
    g_file_set_contents(AutostartFile().c_str(), entry.data(), static_cast<gssize>(entry.size()), nullptr);
}

void GtkDesktop::DeleteRunValue(const std::string& name) {
    if (name != app::AutostartValueName) return;
    g_remove(AutostartFile().c_str());  // a missing entry is no error
}

bool GtkDesktop::InternetConnected() const {
    return g_network_monitor_get_network_available(g_network_monitor_get_default()) != FALSE;
}

}  // namespace velora::gtk
