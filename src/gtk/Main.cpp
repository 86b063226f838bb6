// The program's entry on Linux: one running program per session, the
// platform services, then the portable start-up with the GTK host.
#include <gtk/gtk.h>
#include <malloc.h>

#include <cstdio>
#include <string>

#include "curl/CurlHttpClient.h"
#include "gtk/EndSignals.h"
#include "gtk/ErrorDisplay.h"
#include "gtk/GtkDesktop.h"
#include "gtk/GtkKnownFolders.h"
#include "gtk/GtkProgramHost.h"
#include "gtk/GtkProgramVersion.h"
#include "gtk/GtkRegionalSettings.h"
#include "gtk/GtkUiThreadDispatcher.h"
#include "gtk/LibsecretStore.h"
#include "gtk/SingleInstance.h"
#include "gtk/pagewindow/PageProcess.h"
#include "gtk/pagewindow/PageWindowProgram.h"
#include "platform/std/StdFileSystem.h"
#include "startup/Program.h"

namespace {

// The command line as one text, the way the start-up reads it: the program,
// then each argument, those with blanks in double quotes.
std::string CommandLineOf(int argc, char** argv) {
    std::string line;
    for (int i = 0; i < argc; ++i) {
        const std::string argument = argv[i];
        if (i > 0) line += ' ';
        line += argument.find(' ') != std::string::npos ? "\"" + argument + "\"" : argument;
    }
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velora;
    g_set_prgname("velora-desktop");
    try {
        // The page window's process, which the running program starts.
        if (argc == 2 && std::string(argv[1]) == gtk::kPageWindowSwitch)
            return gtk::RunPageWindow(gtk::kPageWindowChannel);
        // One heap for every thread: the threads here (the bus's, the
        // downloads') allocate little, and an arena of their own each would
        // keep its pages for the whole run in the tray.
        mallopt(M_ARENA_MAX, 1);
        // Before anything else, and before the display is opened: a later
        // start hands over to the running program and ends here.
        gtk::SingleInstance instance;
        if (instance.Check() == gtk::InstanceCheck::HandedOver) return 0;

        if (!gtk_init_check(&argc, &argv)) {
            std::fprintf(stderr, "VELORA Desktop: cannot open the display.\n");
            return 1;
        }

        platform::StdFileSystem files;
        gtk::GtkKnownFolders folders;
        gtk::GtkRegionalSettings regional;
        gtk::GtkProgramVersion version;
        gtk::GtkDesktop desktop(folders.AppDataFolder());
        auto dispatcher = std::make_shared<gtk::GtkUiThreadDispatcher>();
        gtk::LibsecretStore secretStore;
        const app::PlatformServices services{files,   folders, regional, version, desktop,
                                             std::make_shared<curl::CurlHttpClient>(), dispatcher,
                                             nullptr, nullptr, &secretStore};
        startup::PrepareProcessTexts(services);
        int exitCode = 0;
        {
            const gtk::EndSignals endSignals;
            gtk::GtkProgramHost host;
            exitCode = startup::RunProgram(CommandLineOf(argc, argv), services, host);
        }
        // Workers still waiting for the user-interface thread give up.
        dispatcher->Close();
        return exitCode;
    } catch (...) {
        gtk::ShowException(std::current_exception());
        return 1;
    }
}
