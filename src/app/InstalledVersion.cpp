#include "app/InstalledVersion.h"

namespace velora::app {

std::string InstalledVersion(const platform::ProgramVersion& source, bool shortForm) {
    const auto version = source.FileVersionOfProgram();
    if (!version) return "0.1";
    std::string text;
    for (size_t i = 0; i < version->size(); ++i) {
        if (i > 0) text += '.';
        text += std::to_string((*version)[i]);
    }
    if (shortForm) text.erase(text.rfind('.'));
    return text;
}

}  // namespace velora::app
