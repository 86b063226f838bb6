#include "controls/linklabel/LinkLabelMouse.h"

namespace velora::controls {

bool TLinkMouseTracker::Pressed(const TNodeTree& tree) const {
    const TLinkNode* link = tree.Link(active_);
    return link && link->State() == lsPressed;
}

// Sets the previous active link back to rest and `link` (if any) to `state`.
bool TLinkMouseTracker::SetActive(TNodeTree& tree, int link, TLinkState state) {
    bool changed = false;
    TLinkNode* previous = tree.Link(active_);
    if (previous && active_ != link && previous->State() != lsRest) {
        previous->SetState(lsRest);
        changed = true;
    }
    active_ = -1;
    if (TLinkNode* next = tree.Link(link)) {
        if (next->State() != state) {
            next->SetState(state);
            changed = true;
        }
        active_ = link;
    }
    return changed;
}

bool TLinkMouseTracker::Move(TNodeTree& tree, int linkUnderPointer, bool hotLinks) {
    if (!hotLinks || Pressed(tree)) return false;
    return SetActive(tree, linkUnderPointer, lsHot);
}

bool TLinkMouseTracker::Press(TNodeTree& tree, int linkUnderPointer) {
    if (!tree.Link(linkUnderPointer)) return false;
    return SetActive(tree, linkUnderPointer, lsPressed);
}

bool TLinkMouseTracker::Release(TNodeTree& tree) { return SetActive(tree, -1, lsRest); }

bool TLinkMouseTracker::Leave(TNodeTree& tree, bool hotLinks) {
    if (!hotLinks || Pressed(tree)) return false;
    return SetActive(tree, -1, lsRest);
}

}  // namespace velora::controls
