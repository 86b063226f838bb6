#pragma once
// Where a store's relative file name lives, and the full file name that
// results.

#include <string>
#include <string_view>

namespace velora::platform {
class KnownFolders;
}

namespace velora::settings {

enum TFileLocation { flCustom, flWindows, flTemp, flExeFile, flUserFolder };

// "\" and "/" both separate folders; a drive's ":" ends the folder part too.
std::string ExtractFilePath(std::string_view fileName);  // with its trailing separator
std::string ExtractFileName(std::string_view fileName);
std::string ExtractFileExt(std::string_view fileName);   // "" or ".ext"

// Joins with one backslash unless the folder already ends with a separator.
std::string JoinPath(std::string_view folder, std::string_view name);

// flCustom: the name unchanged; flWindows, flTemp, flExeFile: that folder and
// the bare name; flUserFolder: the application-data folder and the name with
// its relative sub-folders (an absolute name is reduced to its bare name).
// An empty name gives an empty full name.
std::string FullFileNameFor(const std::string& fileName, TFileLocation location,
                            const platform::KnownFolders& folders);

}  // namespace velora::settings
