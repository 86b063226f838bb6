#include "gtk/GtkMainLoop.h"

#include <glib.h>

#include <exception>

#include "app/Application.h"
#include "gtk/AnsiText.h"
#include "gtk/ErrorDisplay.h"

namespace velora::gtk {

void GtkMainLoop::Attach(app::TApplication& application) {
    application_ = &application;
    application.OnTitleChanged = [](const std::string& title) { g_set_application_name(ToUtf8(title).c_str()); };
    // Terminate only flags the end; waking the context lets whichever loop
    // runs (the program's or a modal dialog's) see it.
    application.OnTerminate = [] { g_main_context_wakeup(nullptr); };
}

bool GtkMainLoop::Terminated() const { return application_ && application_->Terminated(); }

void GtkMainLoop::Iterate() {
    Guarded([] { g_main_context_iteration(nullptr, TRUE); });
}

void GtkMainLoop::Run() {
    while (!Terminated()) Iterate();
}

}  // namespace velora::gtk
