#include "win32/Win32ProgramHost.h"

#include "win32/ErrorDisplay.h"
#include "win32/browser/Win32WebBrowserPeer.h"

namespace velora::win32 {

Win32ProgramHost::Win32ProgramHost(HINSTANCE instance, app::TAppInstances& instances)
    : application_(instance), instances_(instances) {}

Win32ProgramHost::~Win32ProgramHost() {
    // Windows go first, while the application window they belong to exists.
    formPeers_.clear();
}

void Win32ProgramHost::AttachApplication(app::TApplication& application) {
    application_.Attach(application);
    // Keys meant for the page reach the browser the start-up names.
    application_.SetMessageHook(
        [this](MSG& message) { return keyBrowser_ != nullptr && BrowserMessageHook(keyBrowser_, message); });
}

void Win32ProgramHost::AttachForm(controls::TForm& form) {
    // A form costs no window, control or font until it is first shown; its
    // tray icon and menus work from the start.
    formPeers_.push_back(
        std::make_unique<Win32FormPeer>(form, application_, controls::WindowCreation::WithFirstShowing));
}

void Win32ProgramHost::RouteKeysToBrowser(controls::TWebBrowser* browser) { keyBrowser_ = browser; }

void Win32ProgramHost::CreateProgramMutex() {
    // Held, never waited on, until the process ends.
    programMutex_.Reset(CreateMutexW(nullptr, FALSE, L"VELORADesktop"));
}

// One copy of this program file at a time; a later one brings the first to
// the front and ends.
bool Win32ProgramHost::EnsureSingleInstance() { return !instances_.EnsureSingleInstance(1).has_value(); }

void Win32ProgramHost::RunMessageLoop(app::TApplication&) { application_.Run(); }

void Win32ProgramHost::ShowException(std::exception_ptr error) { win32::ShowException(error); }

}  // namespace velora::win32
