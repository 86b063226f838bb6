// The program's entry on Windows: the process-level start-up steps, then the
// portable start-up with the Windows host, then the end of the process.
#include <windows.h>
#include <ole2.h>

#include "app/Program.h"
#include "platform/win32/ErrorDisplay.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32KnownFolders.h"
#include "platform/win32/Win32ProgramHost.h"
#include "platform/win32/Win32ProgramVersion.h"
#include "platform/win32/Win32RegionalSettings.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace velora;
    platform::Win32FileSystem files;
    platform::Win32KnownFolders folders;
    platform::Win32RegionalSettings regional;
    win32::Win32ProgramVersion version;
    win32::Win32Desktop desktop;
    const app::PlatformServices services{files, folders, regional, version, desktop};

    int exitCode = 0;
    try {
        app::PrepareProcessTexts(services);
        // The embedded browser needs OLE on this thread for the whole run.
        const HRESULT ole = OleInitialize(nullptr);
        {
            win32::Win32ProgramHost host(instance);
            exitCode = app::RunProgram(GetCommandLineA(), services, host);
        }
        if (SUCCEEDED(ole)) OleUninitialize();
    } catch (...) {
        // A failure of the start itself: the system's text, and the end.
        win32::ShowException(std::current_exception());
        exitCode = 1;
    }
    return exitCode;
}
