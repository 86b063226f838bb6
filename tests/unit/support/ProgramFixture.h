#pragma once
// The program as start-up builds it — application object, module and the
// three forms — on a scratch settings folder, with a recording desktop and
// headless peers, for tests of the forms' handlers.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/Application.h"
#include "app/InstanceHandOver.h"
#include "app/uModuleMain.h"
#include "account/uMd5.h"
#include "app/uVars.h"
#include "settings/SettingsTestSupport.h"
#include "net/NetTestSupport.h"
#include "support/FakeDesktop.h"
#include "support/FakeInstallerVerifier.h"
#include "support/FakeKeyStores.h"
#include "support/FixedVersion.h"
#include "support/PumpedDispatcher.h"
#include "support/RecordingPeer.h"
#include "forms/uFormMain.h"
#include "forms/uFormOptions.h"
#include "forms/uFormUpdate.h"

namespace velora::fakes {

class ProgramFixture : public ::testing::Test {
protected:
    ProgramFixture() {
        folders.appData = scratch.Folder();
        // The language files are looked up beside the program file.
        folders.programFile = std::string(VELORA_LANG_DIR) + "/VELORADesktop.exe";
        formats.formats = settings::testing::GermanFormats();
        app::SetAppVersion(app::Vars(), "0.9.6.4");
    }
    ~ProgramFixture() override {
        dispatcher->Close();
        application.reset();
    }

    // Creates everything in start-up order; settings written before this
    // call are what the program finds.
    void Start() {
        application = std::make_unique<app::TApplication>();
        module = new app::TmoduleMain(application.get(), app::ModuleServices{files, folders, formats, desktop, version,
                                                                             dataProtection, secretStore});
        module->DataModuleCreate();
        forms::formMain = Create<forms::TformMain>("formMain");
        app::Vars().DataFolder = app::DataFolderFor(scratch.Folder());
        forms::formUpdate = Create<forms::TformUpdate>(
            "formUpdate", net::UrlGrabberServices{http, dispatcher, &files}, &installerVerifier);
        forms::formOptions = Create<forms::TformOptions>("formOptions");
    }

    template <class TFormClass, class... Args>
    TFormClass* Create(const std::string& name, Args&&... args) {
        auto* form = application->CreateForm<TFormClass>(name, std::forward<Args>(args)...);
        form->SetPeer(&peer);
        form->FormCreate();
        return form;
    }

    void WriteSettings(const std::string& content) {
        settings::testing::ScratchFolder::Write(scratch.File(R"(VELORA\Desktop\VELORADesktop.ini)"), content);
    }
    std::string ReadSettings() const {
        return settings::testing::ScratchFolder::Read(scratch.File(R"(VELORA\Desktop\VELORADesktop.ini)"));
    }
    settings::TAppIniFileStorage& Store() { return module->storageIni(); }

    settings::testing::ScratchFolder scratch;
    platform::StdFileSystem files;
    settings::testing::FakeFolders folders;
    settings::testing::FixedFormats formats;
    FakeDesktop desktop;
    FakeInstallerVerifier installerVerifier;
    FixedVersion version;
    std::shared_ptr<net::testing::FakeHttpClient> http = std::make_shared<net::testing::FakeHttpClient>();
    std::shared_ptr<PumpedDispatcher> dispatcher = std::make_shared<PumpedDispatcher>();
    controls::RecordingPeer peer;
    std::unique_ptr<app::TApplication> application;
    app::TmoduleMain* module = nullptr;
    // Where the password is kept; set before Start (none: plain in the file).
    platform::DataProtection* dataProtection = nullptr;
    platform::SecretStore* secretStore = nullptr;
};

}  // namespace velora::fakes
