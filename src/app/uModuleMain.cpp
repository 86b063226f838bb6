#include "app/uModuleMain.h"

#include "app/ServiceEndpoints.h"
#include "app/uVars.h"

namespace velora::app {

TmoduleMain* moduleMain = nullptr;

TmoduleMain::TmoduleMain(ui::TComponent* owner, const ModuleServices& services)
    : ui::TComponent(owner), services_(services) {
    SetName("moduleMain");
    storageIni_ = std::make_unique<settings::TAppIniFileStorage>(services.files, services.folders, services.regional);
    auto& store = *storageIni_;
    // As the component is configured: set up while "loading", so that the
    // file is read once when loading ends.
    store.BeginLoading();
    store.SetFileName(SettingsFileName);
    store.SetLocation(settings::flUserFolder);
    store.SetAutoFlush(true);
    store.SetAutoReload(true);
    store.SetDefaultSection("update");
    store.StorageOptions().SetBooleanStringTrueValues("true, TRUE, YES, Y");
    store.StorageOptions().SetBooleanStringFalseValues("false, FALSE, NO, N");
    store.EndLoading();
    moduleMain = this;
}

TmoduleMain::~TmoduleMain() {
    if (moduleMain == this) moduleMain = nullptr;
}

void TmoduleMain::DataModuleCreate() {
    auto& vars = Vars();
    storageIni_->PutString("version\\exe", vars.AppVersion);
    storageIni_->SetFileName(SettingsFileName);

    vars.CurrentLanguage = storageIni_->GetString("language\\lang", "de");
    vars.LanguageUrlSuffix = "&lang=" + vars.CurrentLanguage;
    vars.RegisterUrl = RegisterUrlBase() + vars.LanguageUrlSuffix;
}

}  // namespace velora::app
