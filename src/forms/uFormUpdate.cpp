#include "forms/uFormUpdate.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <utility>

#include "app/Application.h"
#include "app/ServiceEndpoints.h"
#include "app/UpdateDownload.h"
#include "app/VerifiedInstaller.h"
#include "app/VersionCompare.h"
#include "app/uModuleMain.h"
#include "app/uVars.h"
#include "i18n/LanguageSelection.h"
#include "platform/Desktop.h"
#include "controls/FormDesign.h"
#include "settings/DateTimeText.h"

namespace velora::forms {

TformUpdate* formUpdate = nullptr;

namespace {

// The local date and time on the store's date-time scale.
settings::TDateTime LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    settings::DateTimeParts parts;
    parts.year = local.tm_year + 1900;
    parts.month = local.tm_mon + 1;
    parts.day = local.tm_mday;
    parts.hour = local.tm_hour;
    parts.minute = local.tm_min;
    parts.second = local.tm_sec;
    return settings::EncodeDateTime(parts).value_or(0.0);
}

constexpr double kCheckIntervalDays = 4.0;
// More lines than anyone reads; a count beyond it is a broken or hostile file.
constexpr int kMaxHistoryLines = 1000;

// The engine's refusal of a check while a transfer runs, with a token that
// lives as long as the error: the error display holds the error until the
// user closes its box, so the token tells whether that box still shows.
class ECheckRefused : public net::EGrabberNotStopped {
public:
    explicit ECheckRefused(std::shared_ptr<void> showing) : showing_(std::move(showing)) {}

private:
    std::shared_ptr<void> showing_;
};

}  // namespace

const component::ClassInfo& TformUpdate::StaticClass() {
    static const component::ClassInfo info{"TformUpdate", &controls::TForm::StaticClass(), {}};
    return info;
}

// The dialog as designed; the language file replaces the captions.
TformUpdate::TformUpdate(component::TComponent* owner, const net::UrlGrabberServices& grabberServices,
                         platform::InstallerVerifier* installerVerifier)
    : controls::TForm(owner), installerVerifier_(installerVerifier) {
    SetCaption(app::AppTitle);
    SetBorderStyle(controls::bsDialog);
    SetBorderIcons(controls::TBorderIcons{controls::biSystemMenu});
    SetPosition(controls::poScreenCenter);
    SetClientWidth(405);
    SetClientHeight(297);
    Font().SetName("Tahoma");
    Font().SetSize(8);

    panelActual = controls::Place<controls::TPanel>(*this, this, "panelActual", 8, 8, 185, 41);
    panelActual->SetBevelOuter(controls::bvNone);
    labelCaptionActual = controls::Place<controls::TLabel>(*this, panelActual, "labelCaptionActual", 8, 8, 170, 13);
    labelCaptionActual->SetCaption("aktuelle Version");
    labelVersionActual = controls::Place<controls::TLabel>(*this, panelActual, "labelVersionActual", 8, 27, 170, 13);
    labelVersionActual->SetCaption("x.x.x.x");
    labelVersionActual->Font().SetStyle(controls::TFontStyles{controls::fsBold});
    panelInstall = controls::Place<controls::TPanel>(*this, this, "panelInstall", 212, 8, 185, 41);
    panelInstall->SetBevelOuter(controls::bvNone);
    labelCaptionInstalled =
        controls::Place<controls::TLabel>(*this, panelInstall, "labelCaptionInstalled", 8, 8, 170, 13);
    labelCaptionInstalled->SetCaption("installierte Version");
    labelVersionInstalled =
        controls::Place<controls::TLabel>(*this, panelInstall, "labelVersionInstalled", 8, 27, 170, 13);
    labelVersionInstalled->SetCaption("x.x.x.x");
    labelVersionInstalled->Font().SetStyle(controls::TFontStyles{controls::fsBold});
    // Names the history for screen readers, in the room between the
    // versions and the history.
    labelHistory = controls::Place<controls::TLabel>(*this, this, "labelHistory", 8, 50, 389, 13);
    labelHistory->SetCaption("Versionshistorie");
    memoHistory = controls::Place<controls::TMemo>(*this, this, "memoHistory", 8, 64, 389, 170);
    memoHistory->SetReadOnly(true);
    memoHistory->SetScrollBars(controls::ssVertical);
    // After the buttons, as it was designed.
    memoHistory->SetTabOrder(2);
    labelHistory->SetFocusControl(memoHistory);
    progress = controls::Place<controls::TProgressBar>(*this, this, "progress", 8, 240, 389, 17);
    // The status text wraps in the room left of the buttons, below the
    // progress bar: on one line the offer of an update would run under the
    // buttons and past the window's edge; the German one takes three lines.
    labelUpdate = controls::Place<controls::TLabel>(*this, this, "labelUpdate", 8, 258, 225, 39);
    labelUpdate->SetAutoSize(false);
    labelUpdate->SetWordWrap(true);
    labelUpdate->SetCaption(" ");
    buttonUpdate = controls::Place<controls::TButton>(*this, this, "buttonUpdate", 241, 263, 75, 25);
    buttonUpdate->SetCaption("Update");
    buttonUpdate->SetTabOrder(0);
    buttonUpdate->OnClick = [this](component::TComponent*) { buttonUpdateClick(); };
    buttonCancel = controls::Place<controls::TButton>(*this, this, "buttonCancel", 322, 263, 75, 25);
    buttonCancel->SetCaption("Abbruch");
    buttonCancel->SetTabOrder(1);
    // Esc closes the dialog as this button does.
    buttonCancel->SetCancel(true);
    buttonCancel->OnClick = [this](component::TComponent*) { buttonCancelClick(); };
    linkDownload = controls::Place<controls::TLinkLabel>(*this, this, "linkDownload", 241, 263, 75, 25);
    linkDownload->SetCaption("<link>Download</link>");
    // Opaque: the status text may run on below it, as below the button.
    linkDownload->SetLayout(controls::tlCenter);
    linkDownload->SetVisible(false);
    // Where the button it stands in for would be in the tab order.
    linkDownload->SetTabOrder(0);
    linkDownload->OnLinkClick = [this](component::TComponent*, int, const std::string&, const std::string&) {
        linkDownloadLinkClick();
    };

    grabUrl = new net::THttpUrlGrabber(this, grabberServices);
    grabUrl->SetName("grabUrl");
    app::UseUpdateDownloadSettings(*grabUrl);
    grabUrl->SetOutputMode(net::omFile);
    grabUrl->SetUrl(app::InstallerUrl());
    installerUrl_ = grabUrl->Url();
    grabUrl->SetUrl(app::VersionFileUrl());
    versionFileUrl_ = grabUrl->Url();
    grabUrl->SetFileName(VersionFilePath());
    grabUrl->OnDoneFile = [this](component::TComponent*, const std::string& fileName, std::int32_t,
                                 const std::string& url) { grabUrlDoneFile(fileName, url); };
    grabUrl->OnProgress = [this](component::TComponent*, std::int64_t position, std::int64_t total, const std::string&,
                                 bool& continueTransfer) { grabUrlProgress(position, total, continueTransfer); };
    grabUrl->OnError = [this](component::TComponent*, const std::string&) { grabUrlError(); };

    // The version file as the last check left it; read back only when asked.
    auto& module = *app::moduleMain;
    storageUpdate = std::make_unique<settings::TAppIniFileStorage>(module.Files(), module.Folders(), module.Regional());
    storageUpdate->BeginLoading();
    storageUpdate->SetFileName(VersionFilePath());
    storageUpdate->SetLocation(settings::flCustom);
    storageUpdate->StorageOptions().SetBooleanStringTrueValues("TRUE, YES, Y");
    storageUpdate->StorageOptions().SetBooleanStringFalseValues("FALSE, NO, N");
    storageUpdate->EndLoading();

    Now = LocalNow;
    OnShow = [this](component::TComponent*) { FormShow(); };
}

TformUpdate::~TformUpdate() {
    if (formUpdate == this) formUpdate = nullptr;
}

std::string TformUpdate::VersionFilePath() { return app::Vars().DataFolder + "version.ini"; }
std::string TformUpdate::InstallerDownloadPath() { return app::Vars().DataFolder + "update.exe.download"; }
std::string TformUpdate::InstallerPath() { return app::Vars().DataFolder + "update.exe"; }

void TformUpdate::FormCreate() {
    labelVersionInstalled->SetCaption(app::moduleMain->InstalledVersion(true));
    labelVersionActual->SetCaption(storageUpdate->GetString("version\\stable", ""));
    ShowUpdateAction(false);
    manualCheck = false;
    updateAvailable = true;
    app::moduleMain->translator().ApplyToForm(*this);
    UpdateTexts();
}

void TformUpdate::FormShow() {
    labelVersionActual->SetCaption(storageUpdate->GetString("version\\stable", ""));
    progress->SetVisible(false);
    progress->SetMax(1000);
    progress->SetPosition(0);
    progress->SetMin(0);
    app::moduleMain->translator().ApplyToForm(*this);
    UpdateTexts();
}

// The history of the language in force; a section without a count leaves
// the lines as they are. The memo gets the whole text at once: each change
// of its lines rewrites the control.
void TformUpdate::FillHistory() {
    const std::string section = app::Vars().CurrentLanguage == "de" ? "history_de" : "history_en";
    const std::string countPath = section + "\\Count";
    if (!storageUpdate->HasValue(countPath)) return;
    const int count = std::clamp(storageUpdate->GetInteger(countPath, 0), 0, kMaxHistoryLines);
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += storageUpdate->GetString(section + "\\Item" + std::to_string(i), "");
        text += "\r\n";
    }
    memoHistory->Lines().SetText(text);
}

void TformUpdate::UpdateTexts() {
    SetCaption(i18n::FillAppName(Caption(), app::AppTitle));
    // The "noUpdate" text names the installed version; its placeholder is
    // filled here too, so the dialog never shows it raw.
    const std::string status = app::moduleMain->translator().LookupText("messages", StatusKey());
    labelUpdate->SetCaption(i18n::FillVersion(status, app::Vars().AppVersion));
    FillHistory();
}

void TformUpdate::CheckForUpdate(bool manual) {
    auto& store = app::moduleMain->storageIni();
    const settings::TDateTime now = Now();
    const settings::TDateTime lastCheck = store.GetDateTime("check\\LastCheck", now);
    if (!(now - kCheckIntervalDays > lastCheck)) return;
    // Written before the transfer: a failed check counts as a check.
    store.PutDateTime("check\\LastCheck", now);
    grabUrl->Stop();
    try {
        grabUrl->SetUrl(app::VersionFileUrl());
    } catch (const net::EGrabberNotStopped&) {
        // A transfer still runs. The user hears of the refusal once at a
        // time: asking again while its box shows adds no other.
        if (!refusalShowing_.expired()) return;
        auto showing = std::make_shared<bool>(true);
        refusalShowing_ = showing;
        throw ECheckRefused(std::move(showing));
    }
    grabUrl->SetFileName(VersionFilePath());
    grabUrl->Start();
    manualCheck = manual;
    checkRunning_ = true;
}

void TformUpdate::grabUrlDoneFile(const std::string& /*fileName*/, const std::string& url) {
    if (url == versionFileUrl_) {
        grabUrl->Stop();
        checkRunning_ = false;
        checkFailed_ = false;
        storageUpdate->Reload();
        const std::string installed = app::moduleMain->InstalledVersion(false);
        const std::string stable = storageUpdate->GetString("version\\stable", "");
        if (app::CompareVersions(stable, installed) == -1) {
            labelUpdate->SetCaption(app::moduleMain->Desktop().RunsInstallers()
                                        ? app::Vars().MsgGetUpdate
                                        : app::moduleMain->translator().LookupText("messages", GetUpdateKey()));
            updateAvailable = true;
            ShowUpdateAction(true);
            Show();
        } else if (manualCheck) {
            labelUpdate->SetCaption(app::Vars().MsgNoUpdate);
            updateAvailable = false;
            Show();
        }
    } else if (url == installerUrl_) {
        switch (app::StartVerifiedInstaller(app::moduleMain->Files(), installerVerifier_, InstallerDownloadPath(),
                                            InstallerPath())) {
            case app::InstallerStart::Started:
                // The installer runs on; this program ends through its normal shutdown.
                app::Application->Terminate();
                break;
            case app::InstallerStart::NotVerified:
                InstallerNotVerified();
                break;
            case app::InstallerStart::NotStarted:
                // The system's refusal: the dialog stays as it is.
                break;
        }
    }
}

// A failed check of the version file keeps the last good file; only the user
// who asked for the check is told that it failed.
void TformUpdate::grabUrlError() {
    if (grabUrl->Url() == installerUrl_) InstallerNotVerified();
    // An error after completion (a handle that would not close) is no failed check.
    if (grabUrl->Url() != versionFileUrl_ || !checkRunning_) return;
    checkRunning_ = false;
    if (!manualCheck) return;
    checkFailed_ = true;
    labelUpdate->SetCaption(app::moduleMain->translator().LookupText("messages", StatusKey()));
    Show();
}

const char* TformUpdate::StatusKey() const {
    if (checkFailed_) return "checkFailed";
    return updateAvailable ? GetUpdateKey() : "noUpdate";
}

void TformUpdate::InstallerNotVerified() {
    progress->SetVisible(false);
    labelUpdate->SetCaption(app::moduleMain->translator().LookupText("messages", "notVerified"));
}

void TformUpdate::buttonUpdateClick() {
    grabUrl->SetUrl(app::InstallerUrl());
    grabUrl->SetFileName(InstallerDownloadPath());
    // The download shows its progress (a show of the dialog hides the bar).
    progress->SetPosition(0);
    progress->SetVisible(true);
    grabUrl->Start();
}

void TformUpdate::grabUrlProgress(std::int64_t position, std::int64_t totalSize, bool& continueTransfer) {
    progress->SetMax(static_cast<std::int32_t>(totalSize));
    progress->SetPosition(static_cast<std::int32_t>(position));
    continueTransfer = true;
}

void TformUpdate::buttonCancelClick() { Close(); }

void TformUpdate::ShowUpdateAction(bool newerFound) {
    const bool installs = app::moduleMain->Desktop().RunsInstallers();
    buttonUpdate->SetVisible(installs);
    buttonUpdate->SetEnabled(newerFound);
    linkDownload->SetVisible(!installs && newerFound);
}

// The text that offers a newer version names the button that gets it.
const char* TformUpdate::GetUpdateKey() const {
    return app::moduleMain->Desktop().RunsInstallers() ? "getUpdate" : "getUpdateLink";
}

void TformUpdate::linkDownloadLinkClick() {
    app::moduleMain->Desktop().ShellOpen(app::DownloadPageUrlBase() + app::Vars().LanguageUrlSuffix, "open");
}

}  // namespace velora::forms
