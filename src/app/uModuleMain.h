#pragma once
// The application module: the non-visual core created before every window.
// It owns the settings store (and the translator), prepares the settings
// file, the language and the message texts, and offers the routines the
// windows share.

#include <functional>
#include <memory>
#include <string>

#include "account/AccountPassword.h"
#include "i18n/Translator.h"
#include "settings/AppIniFileStorage.h"
#include "component/Component.h"

#include "app/ServiceEndpoints.h"
#include "platform/Desktop.h"

namespace velora::platform {
class DataProtection;
class Desktop;
class FileSystem;
class KnownFolders;
class ProgramVersion;
class RegionalSettings;
class SecretStore;
}  // namespace velora::platform

namespace velora::app {

// The system services the module and its store work through.
struct ModuleServices {
    platform::FileSystem& files;
    const platform::KnownFolders& folders;
    const platform::RegionalSettings& regional;
    platform::Desktop& desktop;
    const platform::ProgramVersion& version;
    // Where the password is kept instead of in plain text: the system's data
    // protection, else its key store; with neither it stays plain in the file.
    platform::DataProtection* dataProtection = nullptr;
    platform::SecretStore* secretStore = nullptr;
};

inline constexpr const char* SettingsFileName = "VELORA\\Desktop\\VELORADesktop.ini";
// The value under the current user's Run key that starts the program at log-on.
inline constexpr const char* AutostartValueName = "VELORADesktop";

class TmoduleMain : public component::TComponent {
public:
    TmoduleMain(component::TComponent* owner, const ModuleServices& services);
    ~TmoduleMain() override;

    settings::TAppIniFileStorage& storageIni() { return *storageIni_; }
    i18n::TTranslator& translator() { return *translator_; }
    // The stored password, for the login digest and the options dialog.
    account::AccountPassword& Password() { return *password_; }
    // Notices, the shell and the rest of the desktop, for the windows.
    platform::Desktop& Desktop() { return services_.desktop; }
    // The running program file.
    std::string ProgramFile() const;
    // Where the language files are: beside the program, or where the system
    // keeps the program's data.
    std::string LanguageFolder() const;
    // The program's version text, full ("0.9.6.4") or short ("0.9.6").
    std::string InstalledVersion(bool shortForm) const;
    platform::FileSystem& Files() { return services_.files; }
    const platform::KnownFolders& Folders() const { return services_.folders; }
    const platform::RegionalSettings& Regional() const { return services_.regional; }

    // The creation steps, in their order: the program's version into the
    // settings file, the file name, the language in force with its file and
    // the four message texts; a plain password goes to its keeper.
    void DataModuleCreate();

    // Where the main window goes: the stored edge, else centred on the first
    // monitor (negative when the screen is narrower than the window).
    int StoredMainLeft(int windowWidth);
    int StoredMainTop(int windowHeight);
    void SaveMainPosition(int left, int top);
    // On the first close of the main window ever: the notice that the
    // program keeps running in the notification area.
    void ShowTrayNotice();
    // "&sVersion=<version>&" and, when a mobile number is stored and its
    // password can be read, "sMd5Login=" with the digest of number and password.
    std::string LoginQuery();
    // Runs `action` once the login digest is known: at once, unless the key
    // store has not handed the password over yet (then for a short while at
    // the most).
    void WhenLoginSettled(std::function<void()> action);
    // The page's address with login query and language.
    std::string ServiceUrl(ServicePage page);
    // Writes (or with `remove` deletes) the start-at-log-on value: the
    // program's full path in double quotes.
    void SetAutostart(bool remove);
    // True when the user switched the detection off, else the system's answer.
    bool IsOnline();
    // Opens the page in the system's browser and, once its window comes to
    // the front, places it 800 pixels wide on the work area.
    void OpenExternal(const std::string& url);

private:
    void PlaceExternalWindowLater(platform::WindowHandle before, platform::Rect place, int round);

    ModuleServices services_;
    std::unique_ptr<settings::TAppIniFileStorage> storageIni_;
    std::unique_ptr<account::AccountPassword> password_;
    i18n::TTranslator* translator_;  // owned as a component
    // The wait for the system browser's window (OpenExternal).
    std::unique_ptr<platform::DelayedCall> externalPlacement_;
};

// The one module of the process, set while it exists.
extern TmoduleMain* moduleMain;

}  // namespace velora::app
