#include "controls/peers/FormPeers.h"

namespace velora::controls {

bool IsPassedToContents(std::string_view property) {
    return property == "Left" || property == "Top" || property == "Visible" || property == "Enabled" ||
           property == "Font" || property == "Parent";
}

const TPopupMenu* MenuOfItem(const TMenuItem& item) {
    const TMenuItem* root = &item;
    while (root->Parent() != nullptr) root = root->Parent();
    return dynamic_cast<const TPopupMenu*>(root->Owner());
}

}  // namespace velora::controls
