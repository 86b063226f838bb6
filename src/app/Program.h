#pragma once
// The program's run from the moment this process knows it is the running
// instance: the process-wide texts, the application object with the module
// and the three forms in their fixed order, the command-line switch, the
// first-start options dialog, the message loop, and the orderly end.

#include <exception>
#include <memory>
#include <string_view>

#include "app/CommandLine.h"

namespace velora::platform {
class Desktop;
class FileSystem;
class HttpClient;
class UiThreadDispatcher;
class KnownFolders;
class RegionalSettings;
class ProgramVersion;
}  // namespace velora::platform

namespace velora::ui {
class TForm;
}

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
};

// What only the platform can do for the start-up.
class ProgramHost {
public:
    virtual ~ProgramHost() = default;
    // The application object exists: give it its window and message loop.
    virtual void AttachApplication(TApplication& application) = 0;
    // A form was created: give it its window (its peer).
    virtual void AttachForm(ui::TForm& form) = 0;
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

// AppVersion, VersionQuery and DataFolder; the data folder is created when
// missing (a failure is ignored).
void PrepareProcessTexts(const PlatformServices& services);

// Start-up from the application object on, the message loop and the end.
// Returns the process exit code.
int RunProgram(std::string_view commandLine, const PlatformServices& services, ProgramHost& host);

}  // namespace velora::app
