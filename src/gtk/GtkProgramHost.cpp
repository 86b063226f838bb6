#include "gtk/GtkProgramHost.h"

#include <gtk/gtk.h>

#include "gtk/ErrorDisplay.h"
#include "gtk/pagewindow/PageProcessFormPeer.h"

namespace velora::gtk {

GtkProgramHost::GtkProgramHost() = default;

GtkProgramHost::~GtkProgramHost() { formPeers_.clear(); }

void GtkProgramHost::AttachApplication(app::TApplication& application) { loop_.Attach(application); }

void GtkProgramHost::AttachForm(controls::TForm& form) {
    if (controls::TWebBrowser* browser = BrowserOfPageWindow(form))
        formPeers_.push_back(std::make_unique<PageProcessFormPeer>(form, *browser));
    else
        formPeers_.push_back(
            std::make_unique<GtkFormPeer>(form, loop_, controls::WindowCreation::WithFirstShowing));
}

void GtkProgramHost::RunMessageLoop(app::TApplication&) { loop_.Run(); }

void GtkProgramHost::ShowException(std::exception_ptr error) { gtk::ShowException(error); }

}  // namespace velora::gtk
