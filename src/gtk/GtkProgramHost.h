#pragma once
// What the start-up needs of the Linux desktop: the loop, a window for every
// form, and the error display. One running program per session is the
// GApplication's matter (SingleInstance.h), settled before the start-up.

#include <memory>
#include <vector>

#include "app/ProgramHost.h"
#include "gtk/GtkFormPeer.h"
#include "gtk/GtkMainLoop.h"

namespace velora::gtk {

class GtkProgramHost final : public app::ProgramHost {
public:
    GtkProgramHost();
    ~GtkProgramHost() override;

    void AttachApplication(app::TApplication& application) override;
    void AttachForm(controls::TForm& form) override;
    // The page takes its keys itself while it has the focus.
    void RouteKeysToBrowser(controls::TWebBrowser*) override {}
    // No named mutex: nothing on Linux waits for one.
    void CreateProgramMutex() override {}
    // The session's single instance was settled at the very start; a copy
    // of the program in another folder hands over in the same way.
    bool EnsureSingleInstance() override { return true; }
    void RunMessageLoop(app::TApplication& application) override;
    void ShowException(std::exception_ptr error) override;

private:
    GtkMainLoop loop_;
    std::vector<std::unique_ptr<component::ControlPeer>> formPeers_;
};

}  // namespace velora::gtk
