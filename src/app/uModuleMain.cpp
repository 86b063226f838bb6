#include "app/uModuleMain.h"

#include "app/Application.h"

#include "account/CountryTable.h"
#include "account/uMd5.h"
#include "app/InstalledVersion.h"
#include "app/ServiceEndpoints.h"
#include "app/uVars.h"
#include "i18n/LanguageSelection.h"
#include "platform/Desktop.h"
#include "platform/KnownFolders.h"

namespace velora::app {

TmoduleMain* moduleMain = nullptr;

TmoduleMain::TmoduleMain(component::TComponent* owner, const ModuleServices& services)
    : component::TComponent(owner), services_(services) {
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
    password_ = std::make_unique<account::AccountPassword>(
        store, account::MakePasswordKeeper(services.dataProtection, services.secretStore));
    translator_ = new i18n::TTranslator(this, services.files);
    translator_->SetName("translator");
    translator_->FormsToTranslate = ApplicationForms;
    moduleMain = this;
}

TmoduleMain::~TmoduleMain() {
    if (moduleMain == this) moduleMain = nullptr;
}

void TmoduleMain::DataModuleCreate() {
    auto& vars = Vars();
    // One write at the most: none when the file holds this version and the
    // table already, as on every start but the first after an update.
    auto& store = *storageIni_;
    store.Reload();
    store.BeginUpdate();
    store.PutString("version\\exe", vars.AppVersion);
    password_->Prepare();
    store.SetFileName(SettingsFileName);
    account::SeedCountryTable(store);
    store.EndUpdate();
    store.Flush();

    const i18n::StartupLanguage start = i18n::LoadStartupLanguage(
        *translator_, *storageIni_, services_.folders.LanguageFolder(), i18n::ProductNames{AppTitle, vars.AppVersion});
    SetLanguage(vars, start.code);
    vars.MsgNotOnline = start.msgNotOnline;
    vars.MsgNoUpdate = start.msgNoUpdate;
    vars.MsgTray = start.msgTray;
    vars.MsgGetUpdate = start.msgGetUpdate;
}

}  // namespace velora::app

namespace velora::app {

std::string TmoduleMain::ProgramFile() const { return services_.folders.ProgramFile(); }

std::string TmoduleMain::LanguageFolder() const { return services_.folders.LanguageFolder(); }

std::string TmoduleMain::InstalledVersion(bool shortForm) const {
    return app::InstalledVersion(services_.version, shortForm);
}

int TmoduleMain::StoredMainLeft(int windowWidth) {
    const int width = services_.desktop.ScreenWidth();
    return storageIni_->GetInteger("formMain\\left", (width - windowWidth) / 2);
}

int TmoduleMain::StoredMainTop(int windowHeight) {
    const int height = services_.desktop.ScreenHeight();
    return storageIni_->GetInteger("formMain\\top", (height - windowHeight) / 2);
}

void TmoduleMain::SaveMainPosition(int left, int top) {
    storageIni_->PutInteger("formMain\\left", left);
    storageIni_->PutInteger("formMain\\top", top);
}

void TmoduleMain::ShowTrayNotice() {
    if (!storageIni_->GetBoolean("intern\\firststart", true)) return;
    services_.desktop.ShowMessage(Vars().MsgTray, AppTitle);
    storageIni_->PutBoolean("intern\\firststart", false);
}

std::string TmoduleMain::LoginQuery() {
    std::string query = Vars().VersionQuery + "&";
    const std::string mobile = storageIni_->GetString("account\\mobile", "");
    if (mobile.empty()) return query;
    // A password that cannot be read counts as none: no digest at all, never
    // one of the stored bytes.
    const account::LoginPassword password = password_->Current();
    if (password.state == account::LoginPassword::Known)
        query += "sMd5Login=" + account::Md5ToHex(account::Md5OfText(mobile + password.password));
    return query;
}

void TmoduleMain::WhenLoginSettled(std::function<void()> action) { password_->WhenSettled(std::move(action)); }

std::string TmoduleMain::ServiceUrl(ServicePage page) {
    return ServicePageUrl(page) + LoginQuery() + Vars().LanguageUrlSuffix;
}

void TmoduleMain::SetAutostart(bool remove) {
    if (remove) {
        services_.desktop.DeleteRunValue(AutostartValueName);
    } else {
        services_.desktop.SetRunValue(AutostartValueName, "\"" + services_.folders.ProgramFile() + "\"");
    }
}

bool TmoduleMain::IsOnline() {
    if (!storageIni_->GetBoolean("extended\\checkOnline", true)) return true;
    return services_.desktop.InternetConnected();
}

void TmoduleMain::OpenExternal(const std::string& url) {
    auto& desktop = services_.desktop;
    if (!IsOnline()) {
        desktop.ShowMessage(Vars().MsgNotOnline, AppTitle);
        return;
    }
    const platform::Rect work = desktop.WorkArea();
    const int width = 800;
    int height = 600;
    const int x = work.right / 2 - 400;
    int y = work.bottom / 2 - 300;
    if (work.bottom > 600) {
        height = 700;
        y -= 50;
    }
    const bool placeWindow = desktop.CanPlaceOtherWindows();
    const platform::WindowHandle before = placeWindow ? desktop.ForegroundWindow() : 0;
    externalPlacement_.reset();
    if (desktop.ShellOpen(url, "") <= 32 || !placeWindow) return;
    PlaceExternalWindowLater(before, {x, y, x + width, y + height}, 1);
}

// The browser takes a moment to come up; its window is the first new
// foreground window within four rounds of 1.5 s. The tray and the page
// window go on meanwhile.
void TmoduleMain::PlaceExternalWindowLater(platform::WindowHandle before, platform::Rect place, int round) {
    constexpr int kRounds = 4;
    constexpr int kRoundMs = 1500;
    externalPlacement_ = services_.desktop.CallLater(kRoundMs, [this, before, place, round] {
        auto& desktop = services_.desktop;
        const platform::WindowHandle now = desktop.ForegroundWindow();
        if (now != 0 && now != before) {
            desktop.MoveWindow(now, place.left, place.top, place.right - place.left, place.bottom - place.top);
            externalPlacement_.reset();
        } else if (round < kRounds) {
            PlaceExternalWindowLater(before, place, round + 1);
        } else {
            externalPlacement_.reset();
        }
    });
}

}  // namespace velora::app
