#pragma once
// The system's folders the program places files in. Each answer is a folder
// path without a trailing backslash requirement; empty when the system cannot
// name it.

#include <string>

namespace velora::platform {

class KnownFolders {
public:
    virtual ~KnownFolders() = default;

    // The user's per-user application-data folder (the shell's CSIDL_APPDATA).
    virtual std::string AppDataFolder() const = 0;
    // The full path of the running program file.
    virtual std::string ProgramFile() const = 0;
    virtual std::string WindowsFolder() const = 0;
    virtual std::string TempFolder() const = 0;
    // The folder the language files are read from, with its trailing
    // separator: the program file's own folder, unless the system keeps a
    // program's data apart from the program (Linux: share/<program>/).
    virtual std::string LanguageFolder() const {
        const std::string program = ProgramFile();
        return program.substr(0, program.find_last_of("\\/:") + 1);
    }
};

}  // namespace velora::platform
