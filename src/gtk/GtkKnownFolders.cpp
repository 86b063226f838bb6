#include "gtk/GtkKnownFolders.h"

#include <glib.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace velora::gtk {

std::string GtkKnownFolders::AppDataFolder() const { return g_get_user_config_dir(); }

std::string GtkKnownFolders::ProgramFile() const {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string GtkKnownFolders::TempFolder() const { return g_get_tmp_dir(); }

std::string GtkKnownFolders::LanguageFolder() const {
    const std::string program = ProgramFile();
    const std::filesystem::path beside = std::filesystem::path(program).parent_path() / "de.lang";
    std::error_code error;
    return LanguageFolderFor(program, std::filesystem::is_regular_file(beside, error));
}

std::string LanguageFolderFor(const std::string& programFile, bool besideExists) {
    const std::filesystem::path folder = std::filesystem::path(programFile).parent_path();
    if (besideExists) return folder.string() + "/";
    return (folder.parent_path() / "share" / "velora-desktop").string() + "/";
}

}  // namespace velora::gtk
