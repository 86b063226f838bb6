#include "gtk/GtkProgramVersion.h"

namespace velora::gtk {

std::optional<platform::FileVersion> GtkProgramVersion::FileVersionOfProgram() const {
    return platform::FileVersion{VELORA_VERSION_MAJOR, VELORA_VERSION_MINOR, VELORA_VERSION_PATCH,
                                 VELORA_VERSION_TWEAK};
}

}  // namespace velora::gtk
