#include "ui/LinkLabelNodes.h"

namespace velora::ui {

void TParentNode::CollectText(std::string& text) const {
    for (const auto& child : children_) child->CollectText(text);
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

}  // namespace velora::ui
