#pragma once
// The folders of a Linux desktop: the user's configuration folder
// ($XDG_CONFIG_HOME, else ~/.config) stands for the application-data folder,
// so the settings live in $XDG_CONFIG_HOME/VELORA/Desktop/VELORADesktop.ini.

#include "platform/KnownFolders.h"

namespace velora::gtk {

class GtkKnownFolders : public platform::KnownFolders {
public:
    std::string AppDataFolder() const override;
    // The running program file, with its links resolved.
    std::string ProgramFile() const override;
    // There is none on Linux.
    std::string WindowsFolder() const override { return {}; }
    std::string TempFolder() const override;
    // Beside the program when its language files are there (a build tree),
    // else the installed data folder "../share/velora-desktop/".
    std::string LanguageFolder() const override;
};

// The language folder for a program file: its own folder when `besideExists`
// says "de.lang" lies there, else "share/velora-desktop/" beside the folder
// above it. Both end with "/".
std::string LanguageFolderFor(const std::string& programFile, bool besideExists);

}  // namespace velora::gtk
