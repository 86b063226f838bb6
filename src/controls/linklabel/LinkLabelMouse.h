#pragma once
// The states of a link label's links under the mouse. At most one link is
// active: pressed while a button is down on it, or hot while the pointer is
// over it (with hot links on); every other link is at rest. Each call takes
// the link under the pointer (-1 for none) and answers whether a link's state
// changed, so the label redraws.

#include "controls/linklabel/LinkLabelNodes.h"

namespace velora::controls {

class TLinkMouseTracker {
public:
    // The pointer moved. With hot links and no link pressed, the link under
    // it becomes hot and any other active link goes back to rest.
    bool Move(TNodeTree& tree, int linkUnderPointer, bool hotLinks);
    // A button went down: the link under the pointer, if any, is pressed.
    bool Press(TNodeTree& tree, int linkUnderPointer);
    // After a button went up (and the click, if any, was reported): the
    // active link goes back to rest.
    bool Release(TNodeTree& tree);
    // The pointer left the control; a pressed link stays pressed.
    bool Leave(TNodeTree& tree, bool hotLinks);
    // The tree was replaced: no link is active any more.
    void Reset() { active_ = -1; }

    int ActiveLink() const { return active_; }

private:
    bool SetActive(TNodeTree& tree, int link, TLinkState state);
    bool Pressed(const TNodeTree& tree) const;

    int active_ = -1;
};

}  // namespace velora::controls
