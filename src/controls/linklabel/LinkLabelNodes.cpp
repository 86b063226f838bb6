#include "controls/linklabel/LinkLabelNodes.h"

namespace velora::controls {

TParentNode::~TParentNode() {
    // Each node is freed only once its children have been moved out, so a
    // deeply nested caption does not go down the call stack when it goes.
    std::vector<std::unique_ptr<TNode>> pending = std::exchange(children_, {});
    while (!pending.empty()) {
        std::unique_ptr<TNode> node = std::move(pending.back());
        pending.pop_back();
        if (auto* group = dynamic_cast<TParentNode*>(node.get()))
            for (auto& child : std::exchange(group->children_, {})) pending.push_back(std::move(child));
    }
}

void TParentNode::CollectText(std::string& text) const {
    struct NoState {};
    WalkInCaptionOrder(
        *this, NoState{}, [](const TParentNode&, NoState) { return NoState{}; },
        [&text](const TNode& node, NoState) { node.CollectText(text); });
}

std::string TLinkNode::Text() const {
    std::string text;
    CollectText(text);
    return text;
}

TLinkNode* TNodeTree::Link(int number) const {
    if (number < 0 || number >= LinkCount()) return nullptr;
    return links_[static_cast<std::size_t>(number)];
}

}  // namespace velora::controls
