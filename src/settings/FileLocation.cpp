#include "settings/FileLocation.h"

#include "platform/KnownFolders.h"

namespace velora::settings {

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::size_t NameStart(std::string_view fileName) {
    const std::size_t last = fileName.find_last_of("\\/:");
    return last == std::string_view::npos ? 0 : last + 1;
}

// Rooted ("\x", "/x"), on a drive ("C:...") or on a share ("\\server\...").
bool IsAbsolute(std::string_view fileName) {
    return (!fileName.empty() && IsSeparator(fileName.front())) ||
           (fileName.size() >= 2 && fileName[1] == ':');
}
}  // namespace

std::string ExtractFilePath(std::string_view fileName) {
    return std::string(fileName.substr(0, NameStart(fileName)));
}

std::string ExtractFileName(std::string_view fileName) {
    return std::string(fileName.substr(NameStart(fileName)));
}

std::string ExtractFileExt(std::string_view fileName) {
    const std::string_view name = fileName.substr(NameStart(fileName));
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string result(folder);
    if (result.empty() || !IsSeparator(result.back())) result += '\\';
    result.append(name);
    return result;
}

std::string FullFileNameFor(const std::string& fileName, TFileLocation location,
                            const platform::KnownFolders& folders) {
    if (location == flCustom || fileName.empty()) return fileName;
    switch (location) {
        case flWindows:
            return JoinPath(folders.WindowsFolder(), ExtractFileName(fileName));
        case flTemp:
            return JoinPath(folders.TempFolder(), ExtractFileName(fileName));
        case flExeFile:
            return JoinPath(ExtractFilePath(folders.ProgramFile()), ExtractFileName(fileName));
        case flUserFolder: {
            if (IsAbsolute(fileName)) return JoinPath(folders.AppDataFolder(), ExtractFileName(fileName));
            return JoinPath(folders.AppDataFolder(), fileName);
        }
        case flCustom:
            break;
    }
    return fileName;
}

}  // namespace velora::settings
