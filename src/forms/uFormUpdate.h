#pragma once
// The update dialog: finds out whether the service publishes a newer version,
// shows the installed and the published version with the history, and on
// request downloads the installer, verifies its signature, starts it and ends
// the program. Created at start, hidden until a check has something to show.

#include <functional>
#include <memory>
#include <string>

#include "net/HttpUrlGrabber.h"
#include "platform/InstallerVerifier.h"
#include "settings/AppIniFileStorage.h"
#include "controls/Button.h"
#include "controls/Form.h"
#include "controls/Label.h"
#include "controls/linklabel/LinkLabel.h"
#include "controls/Memo.h"
#include "controls/Panel.h"
#include "controls/ProgressBar.h"

namespace velora::forms {

class TformUpdate : public controls::TForm {
public:
    // Without a verifier no downloaded installer is ever started.
    TformUpdate(component::TComponent* owner, const net::UrlGrabberServices& grabberServices,
                platform::InstallerVerifier* installerVerifier);
    ~TformUpdate() override;

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    void FormCreate();
    // Caption, status line and history in the language in force.
    void UpdateTexts();
    // Starts the download of the version file when the last check started
    // more than four days ago (the main window writes 0 first for a check
    // the user asked for); the result arrives later, on this thread.
    void CheckForUpdate(bool manual);

    // The version file and the installer live in the program's data folder.
    // The installer arrives under a name of its own and is started under
    // InstallerPath only once its signature has been verified.
    static std::string VersionFilePath();
    static std::string InstallerDownloadPath();
    static std::string InstallerPath();

    controls::TPanel* panelActual;
    controls::TLabel* labelCaptionActual;
    controls::TLabel* labelVersionActual;
    controls::TPanel* panelInstall;
    controls::TLabel* labelCaptionInstalled;
    controls::TLabel* labelVersionInstalled;
    controls::TLabel* labelHistory;
    controls::TMemo* memoHistory;
    controls::TProgressBar* progress;
    controls::TLabel* labelUpdate;
    controls::TButton* buttonUpdate;
    controls::TButton* buttonCancel;
    // Stands in for buttonUpdate where the installer cannot run: opens the
    // service's download page in the system's browser.
    controls::TLinkLabel* linkDownload;
    net::THttpUrlGrabber* grabUrl;
    std::unique_ptr<settings::TAppIniFileStorage> storageUpdate;

    bool manualCheck = false;
    bool updateAvailable = true;
    // The local date and time; tests put a clock of their own here.
    std::function<double()> Now;

private:
    void FormShow();
    void FillHistory();
    void buttonUpdateClick();
    void buttonCancelClick();
    void linkDownloadLinkClick();
    const char* GetUpdateKey() const;
    // The Update button, or where the installer cannot run the download
    // link, shown once a newer version was found.
    void ShowUpdateAction(bool newerFound);
    void grabUrlDoneFile(const std::string& fileName, const std::string& url);
    void grabUrlProgress(std::int64_t position, std::int64_t totalSize, bool& continueTransfer);
    void grabUrlError();
    // The status line's message: a failed check the user asked for, else the
    // outcome of the last completed check.
    const char* StatusKey() const;
    // The installer download failed or was refused: the user is told, nothing runs.
    void InstallerNotVerified();

    // The two addresses as the grabber keeps them (it moves a port out of
    // the stored address), to tell which transfer completed.
    std::string versionFileUrl_;
    std::string installerUrl_;
    // A version check was started and has neither completed nor failed yet.
    bool checkRunning_ = false;
    // The last check the user asked for failed; a completed one clears it.
    bool checkFailed_ = false;
    // Lives as long as the error of the last refused check, which the error
    // display holds while its box shows.
    std::weak_ptr<void> refusalShowing_;
    platform::InstallerVerifier* installerVerifier_;
};

extern TformUpdate* formUpdate;

}  // namespace velora::forms
