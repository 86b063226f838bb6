// The program's entry on Windows: the process-level start-up steps, then the
// portable start-up with the Windows host, then the end of the process.
#include <windows.h>

#include "startup/Program.h"
#include "BuildConfig.h"
#include "app/uAppInstances.h"
#include "win32/ErrorDisplay.h"
#include "win32/browser/BrowserEmulation.h"
#include "win32/Win32AppInstances.h"
#include "win32/Win32DataProtection.h"
#include "win32/Win32Desktop.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32HttpClient.h"
#include "win32/Win32InstallerVerifier.h"
#include "win32/Win32UiThreadDispatcher.h"
#include "win32/Win32KnownFolders.h"
#include "win32/Win32ProgramHost.h"
#include "win32/Win32ProgramVersion.h"
#include "win32/Win32RegionalSettings.h"
#include "win32/raii/OleOnDemand.h"
#include "win32/uInstanceManager.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace velora;
    win32::Win32FileSystem files;
    win32::Win32KnownFolders folders;
    win32::Win32RegionalSettings regional;
    win32::Win32ProgramVersion version;
    win32::Win32Desktop desktop;
    win32::Win32InstallerVerifier installerVerifier(app::build::PublisherKeySha256);
    win32::Win32DataProtection dataProtection;
    // Created on this thread, which runs the message loop the download
    // engine's workers hand their events to.
    const app::PlatformServices services{files,
                                         folders,
                                         regional,
                                         version,
                                         desktop,
                                         std::make_shared<win32::Win32HttpClient>(),
                                         std::make_shared<win32::Win32UiThreadDispatcher>(),
                                         &installerVerifier,
                                         &dataProtection};

    win32::Win32AppInstances instanceSystem;
    app::TAppInstances instances(instanceSystem);

    int exitCode = 0;
    try {
        // Before anything else: a later start hands its command line over
        // to the running instance and ends here.
        if (win32::RunInstanceCheck(instance) == win32::InstanceCheck::HandedOver) return 0;
        startup::PrepareProcessTexts(services);
        // The embedded browser and the shell need OLE on this thread, from
        // the first page or opened address to the end of the run; it ends
        // after the windows, also when the start fails.
        win32::OleOnDemand ole;
        // Pages render in the newest mode the system's browser control has,
        // and their text fields are spell-checked.
        win32::SetBrowserEmulation();
        win32::SetBrowserSpellChecking();
        win32::Win32ProgramHost host(instance, instances);
        exitCode = startup::RunProgram(GetCommandLineA(), services, host);
    } catch (...) {
        // A failure of the start itself: the system's text, and the end.
        win32::ShowException(std::current_exception());
        exitCode = 1;
    }
    instances.UnregisterInstance();
    win32::DestroyInstanceWindow();
    return exitCode;
}
