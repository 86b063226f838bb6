#include "startup/Program.h"

#include "app/Application.h"
#include "app/InstalledVersion.h"
#include "app/InstanceHandOver.h"
#include "app/uModuleMain.h"
#include "app/uVars.h"
#include "platform/FileSystem.h"
#include "platform/KnownFolders.h"
#include "ui/forms/uFormMain.h"
#include "ui/forms/uFormOptions.h"
#include "ui/forms/uFormUpdate.h"

namespace velora::app {

void PrepareProcessTexts(const PlatformServices& services) {
    auto& vars = Vars();
    SetAppVersion(vars, InstalledVersion(services.version, false));
    vars.DataFolder = DataFolderFor(services.folders.AppDataFolder());
    try {
        services.files.CreateFolders(vars.DataFolder);
    } catch (const platform::FileSystemError&) {
        // The settings store creates the folders again when it first writes.
    }
}

namespace {

// Undoes a step of the start-up on every way out of the run.
template <class Undo>
struct AtExit {
    Undo undo;
    ~AtExit() { undo(); }
};
template <class Undo>
AtExit(Undo) -> AtExit<Undo>;

// A failing creation handler is reported and start-up goes on, with the
// object as far as the handler got.
template <class Handler>
void RunCreationHandler(ProgramHost& host, Handler handler) {
    try {
        handler();
    } catch (...) {
        host.ShowException(std::current_exception());
    }
}

template <class TFormClass, class... Args>
TFormClass* CreateProgramForm(TApplication& application, ProgramHost& host, const std::string& name,
                              Args&&... args) {
    auto* form = application.CreateForm<TFormClass>(name, std::forward<Args>(args)...);
    host.AttachForm(*form);
    RunCreationHandler(host, [form] { form->FormCreate(); });
    return form;
}

}  // namespace

int RunProgram(std::string_view commandLine, const PlatformServices& services, ProgramHost& host) {
    const StartSwitch startSwitch = ParseStartSwitch(FirstArgument(commandLine));

    TApplication application;
    host.AttachApplication(application);
    application.SetTitle(AppTitle);

    auto* module = new TmoduleMain(&application, ModuleServices{services.files, services.folders, services.regional, services.desktop, services.version,
                                                                    services.dataProtection, services.secretStore});
    RunCreationHandler(host, [module] { module->DataModuleCreate(); });
    ui::formMain = CreateProgramForm<ui::TformMain>(application, host, "formMain");
    host.RouteKeysToBrowser(ui::formMain->browser);
    const AtExit keysBack{[&host] { host.RouteKeysToBrowser(nullptr); }};
    ui::formUpdate = CreateProgramForm<ui::TformUpdate>(
        application, host, "formUpdate", net::UrlGrabberServices{services.http, services.dispatcher, &services.files},
        services.installerVerifier);
    ui::formOptions = CreateProgramForm<ui::TformOptions>(application, host, "formOptions");
    // Later starts that arrived while the forms were being created are
    // answered now; until the end of the run they are answered at once.
    SecondInstancesWelcome(true);
    const AtExit handOversWait{[] { SecondInstancesWelcome(false); }};

    if (startSwitch == StartSwitch::Options) {
        // A dialog of its own; when it closes the program ends, whatever the
        // user did in it. What follows still runs but finds the end requested.
        auto* dialog = CreateProgramForm<ui::TformOptions>(application, host, "formOptions");
        dialog->ShowModal();
        application.Terminate();
    }

    host.CreateProgramMutex();
    if (!host.EnsureSingleInstance()) return 0;

    if (startSwitch == StartSwitch::Send) ui::formMain->OpenSendPage();

    auto& store = module->storageIni();
    store.Reload();
    if (!store.HasSection("account") && !application.Terminated()) ui::formOptions->ShowModal();

    if (!application.Terminated()) host.RunMessageLoop(application);

    ui::formMain = nullptr;
    ui::formUpdate = nullptr;
    ui::formOptions = nullptr;
    return 0;
}

}  // namespace velora::app
