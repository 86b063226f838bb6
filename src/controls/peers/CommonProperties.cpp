#include "controls/peers/CommonProperties.h"

namespace velora::controls {

bool CommonProperties::ApplyCommonProperty(std::string_view property) {
    if (property == "Left" || property == "Top" || property == "Width" || property == "Height") {
        ApplyBounds();
    } else if (property == "Parent") {
        // Another container: another place, and its visibility, enablement
        // and font now count.
        ApplyBounds();
        ApplyVisible();
        ApplyEnabled();
        ApplyFont();
    } else if (property == "Visible") {
        ApplyVisible();
    } else if (property == "Enabled") {
        ApplyEnabled();
    } else if (property == "Caption") {
        ApplyCaption();
    } else if (property == "Hint" || property == "ShowHint") {
        ApplyHint();
    } else if (property == "Font") {
        ApplyFont();
    } else if (property == "TabStop") {
        ApplyTabStop();
    } else {
        return false;
    }
    return true;
}

}  // namespace velora::controls
