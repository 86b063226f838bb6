#include "gtk/EndSignals.h"

#include <glib-unix.h>
#include <glib.h>

#include <csignal>
#include <exception>

#include "app/EndRequest.h"
#include "gtk/ErrorDisplay.h"

namespace velora::gtk {

namespace {

gboolean EndRequested(gpointer) {
    Guarded([] { app::RequestEnd(); });
    // Kept: a second signal while the end is under way changes nothing.
    return G_SOURCE_CONTINUE;
}

}  // namespace

EndSignals::EndSignals() {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sources_.push_back(g_unix_signal_add(signal, &EndRequested, nullptr));
}

EndSignals::~EndSignals() {
    for (const unsigned source : sources_) g_source_remove(source);
}

}  // namespace velora::gtk
