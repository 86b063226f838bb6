#pragma once
// The application module: the non-visual core created before every window.
// It owns the settings store (and the translator), prepares the settings
// file, the language and the message texts, and offers the routines the
// windows share.

#include <memory>
#include <string>

#include "settings/AppIniFileStorage.h"
#include "ui/model/Component.h"

namespace velora::platform {
class FileSystem;
class KnownFolders;
class RegionalSettings;
}  // namespace velora::platform

namespace velora::app {

// The system services the module and its store work through.
struct ModuleServices {
    platform::FileSystem& files;
    const platform::KnownFolders& folders;
    const platform::RegionalSettings& regional;
};

inline constexpr const char* SettingsFileName = "VELORA\\Desktop\\VELORADesktop.ini";

class TmoduleMain : public ui::TComponent {
public:
    TmoduleMain(ui::TComponent* owner, const ModuleServices& services);
    ~TmoduleMain() override;

    settings::TAppIniFileStorage& storageIni() { return *storageIni_; }

    // The creation steps, in their order: the program's version into the
    // settings file, the file name, the language in force.
    void DataModuleCreate();

private:
    ModuleServices services_;
    std::unique_ptr<settings::TAppIniFileStorage> storageIni_;
};

// The one module of the process, set while it exists.
extern TmoduleMain* moduleMain;

}  // namespace velora::app
