#include "startup/Program.h"

#include "app/Application.h"
#include "app/InstalledVersion.h"
#include "app/InstanceHandOver.h"
#include "app/uModuleMain.h"
#include "app/uVars.h"
#include "platform/FileSystem.h"
#include "platform/KnownFolders.h"
#include "forms/uFormMain.h"
#include "forms/uFormOptions.h"
#include "forms/uFormUpdate.h"

namespace velora::startup {

void PrepareProcessTexts(const app::PlatformServices& services) {
    auto& vars = app::Vars();
    app::SetAppVersion(vars, app::InstalledVersion(services.version, false));
    vars.DataFolder = app::DataFolderFor(services.folders.AppDataFolder());
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
void RunCreationHandler(app::ProgramHost& host, Handler handler) {
    try {
        handler();
    } catch (...) {
        host.ShowException(std::current_exception());
    }
}

template <class TFormClass, class... Args>
TFormClass* CreateProgramForm(app::TApplication& application, app::ProgramHost& host, const std::string& name,
                              Args&&... args) {
    auto* form = application.CreateForm<TFormClass>(name, std::forward<Args>(args)...);
    host.AttachForm(*form);
    RunCreationHandler(host, [form] { form->FormCreate(); });
    return form;
}

}  // namespace

int RunProgram(std::string_view commandLine, const app::PlatformServices& services, app::ProgramHost& host) {
    const app::StartSwitch startSwitch = app::ParseStartSwitch(app::FirstArgument(commandLine));

    app::TApplication application;
    host.AttachApplication(application);
    application.SetTitle(app::AppTitle);

    auto* module = new app::TmoduleMain(
        &application, app::ModuleServices{services.files, services.folders, services.regional, services.desktop,
                                          services.version, services.dataProtection, services.secretStore});
    RunCreationHandler(host, [module] { module->DataModuleCreate(); });
    forms::formMain = CreateProgramForm<forms::TformMain>(application, host, "formMain");
    host.RouteKeysToBrowser(forms::formMain->browser);
    const AtExit keysBack{[&host] { host.RouteKeysToBrowser(nullptr); }};
    forms::formUpdate = CreateProgramForm<forms::TformUpdate>(
        application, host, "formUpdate", net::UrlGrabberServices{services.http, services.dispatcher, &services.files},
        services.installerVerifier);
    forms::formOptions = CreateProgramForm<forms::TformOptions>(application, host, "formOptions");
    // Later starts that arrived while the forms were being created are
    // answered now; until the end of the run they are answered at once.
    app::SecondInstancesWelcome(true);
    const AtExit handOversWait{[] { app::SecondInstancesWelcome(false); }};

    if (startSwitch == app::StartSwitch::Options) {
        // A dialog of its own; when it closes the program ends, whatever the
        // user did in it. What follows still runs but finds the end requested.
        auto* dialog = CreateProgramForm<forms::TformOptions>(application, host, "formOptions");
        dialog->ShowModal();
        application.Terminate();
    }

    host.CreateProgramMutex();
    if (!host.EnsureSingleInstance()) return 0;

    if (startSwitch == app::StartSwitch::Send) forms::formMain->OpenSendPage();

    auto& store = module->storageIni();
    store.Reload();
    if (!store.HasSection("account") && !application.Terminated()) forms::formOptions->ShowModal();

    if (!application.Terminated()) host.RunMessageLoop(application);

    forms::formMain = nullptr;
    forms::formUpdate = nullptr;
    forms::formOptions = nullptr;
    return 0;
}

}  // namespace velora::startup
