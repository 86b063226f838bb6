#pragma once
// What the start-up needs from the system: the services the portable program
// works through, and what only the platform can do for the start-up (the
// application's window and message loop, the forms' windows, the instance
// checks, the general error display).

#include <exception>
#include <memory>

namespace velora::platform {
class DataProtection;
class Desktop;
class FileSystem;
class HttpClient;
class InstallerVerifier;
class UiThreadDispatcher;
class KnownFolders;
class RegionalSettings;
class ProgramVersion;
class SecretStore;
}  // namespace velora::platform

namespace velora::controls {
class TForm;
class TWebBrowser;
}  // namespace velora::controls

namespace velora::app {

class TApplication;

// The system services the portable program works through.
struct PlatformServices {
    platform::FileSystem& files;
    const platform::KnownFolders& folders;
    const platform::RegionalSettings& regional;
    const platform::ProgramVersion& version;
    platform::Desktop& desktop;
    // The download engine's: its workers keep them alive.
    std::shared_ptr<platform::HttpClient> http;
    std::shared_ptr<platform::UiThreadDispatcher> dispatcher;
    // Checks a downloaded installer's signature; without one none is started.
    platform::InstallerVerifier* installerVerifier = nullptr;
    // Keeps the password out of plain text: the system's data protection
    // (Windows) or its key store (Linux).
    platform::DataProtection* dataProtection = nullptr;
    platform::SecretStore* secretStore = nullptr;
};

// What only the platform can do for the start-up.
class ProgramHost {
public:
    virtual ~ProgramHost() = default;
    // The application object exists: give it its window and message loop.
    virtual void AttachApplication(TApplication& application) = 0;
    // A form was created: give it its window (its peer).
    virtual void AttachForm(controls::TForm& form) = 0;
    // Keys meant for the page go to this browser before the dialog manager
    // sees them (nullptr: to no browser).
    virtual void RouteKeysToBrowser(controls::TWebBrowser* browser) = 0;
    // The named mutex "VELORADesktop", held until the process ends.
    virtual void CreateProgramMutex() = 0;
    // Enters this process in the list of running copies of the same program
    // file; false when an earlier copy runs (it has been brought to the front).
    virtual bool EnsureSingleInstance() = 0;
    // Runs until the application is terminated.
    virtual void RunMessageLoop(TApplication& application) = 0;
    // The application's general error display.
    virtual void ShowException(std::exception_ptr error) = 0;
};

}  // namespace velora::app
