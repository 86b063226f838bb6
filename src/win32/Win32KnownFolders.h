#pragma once
// The system's folders as the shell and the kernel name them.

#include "platform/KnownFolders.h"

namespace velora::win32 {

class Win32KnownFolders : public platform::KnownFolders {
public:
    std::string AppDataFolder() const override;
    std::string ProgramFile() const override;
    std::string WindowsFolder() const override;
    std::string TempFolder() const override;
};

}  // namespace velora::win32
