#pragma once
// The document tree of a link label's caption: groups that give their text a
// style, a colour or a link, runs of plain text, line and paragraph breaks,
// and tags the label does not know (kept, drawn as nothing).

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/Color.h"
#include "controls/Font.h"

namespace velora::controls {

class TParentNode;

class TNode {
public:
    virtual ~TNode() = default;
    TNode() = default;
    TNode(const TNode&) = delete;
    TNode& operator=(const TNode&) = delete;

    // The group the node stands in; nullptr for the root.
    TParentNode* Parent() const { return parent_; }
    // Appends the plain text of the node and everything inside it.
    virtual void CollectText(std::string& /*text*/) const {}

private:
    friend class TParentNode;
    TParentNode* parent_ = nullptr;
};

class TParentNode : public TNode {
public:
    // Frees the whole subtree without recursion: captions may nest deeply.
    ~TParentNode() override;

    template <class T, class... Args>
    T& AddChild(Args&&... args) {
        auto child = std::make_unique<T>(std::forward<Args>(args)...);
        T& added = *child;
        added.parent_ = this;
        children_.push_back(std::move(child));
        return added;
    }
    const std::vector<std::unique_ptr<TNode>>& Children() const { return children_; }
    void CollectText(std::string& text) const override;

private:
    std::vector<std::unique_ptr<TNode>> children_;
};

// Visits everything inside `group` depth-first in caption order. Captions
// come from language files and may nest groups many thousands deep, so the
// walk keeps its own stack instead of the call stack. `enter(inner, state)`
// answers the state inside a nested group, `leaf(node, state)` handles every
// node that is no group.
template <class State, class Enter, class Leaf>
void WalkInCaptionOrder(const TParentNode& group, const State& state, Enter enter, Leaf leaf) {
    struct Open {
        const TParentNode* group;
        std::size_t next;
        State state;
    };
    std::vector<Open> open{{&group, 0, state}};
    while (!open.empty()) {
        Open& top = open.back();
        if (top.next == top.group->Children().size()) {
            open.pop_back();
            continue;
        }
        const TNode& node = *top.group->Children()[top.next++];
        if (const auto* inner = dynamic_cast<const TParentNode*>(&node)) {
            State innerState = enter(*inner, top.state);
            open.push_back({inner, 0, std::move(innerState)});
        } else {
            leaf(node, top.state);
        }
    }
}

// The whole caption; carries the label's font style and colour, which
// everything inside inherits.
class TRootNode : public TParentNode {
public:
    TFontStyles FontStyle() const { return fontStyle_; }
    TColor FontColor() const { return fontColor_; }
    void SetFont(TFontStyles style, TColor color) {
        fontStyle_ = style;
        fontColor_ = color;
    }

private:
    TFontStyles fontStyle_;
    TColor fontColor_ = clWindowText;
};

// <B>, <I>, <U>: adds one style.
class TStyleNode : public TParentNode {
public:
    explicit TStyleNode(TFontStyle style) : style_(style) {}
    TFontStyle Style() const { return style_; }

private:
    TFontStyle style_;
};

// <COLOR=...>: sets the colour; clNone when the value could not be read.
class TColorNode : public TParentNode {
public:
    explicit TColorNode(TColor color) : color_(color) {}
    TColor Color() const { return color_; }

private:
    TColor color_;
};

enum TLinkState : std::uint8_t { lsRest = 0, lsPressed = 1, lsHot = 2 };

// <LINK> or <LINK=parameter>: a clickable part, numbered from 0 in caption order.
class TLinkNode : public TParentNode {
public:
    TLinkNode(int number, std::string param) : number_(number), param_(std::move(param)) {}
    int Number() const { return number_; }
    const std::string& Param() const { return param_; }
    // The plain text of everything inside the link, without tags.
    std::string Text() const;
    TLinkState State() const { return state_; }
    void SetState(TLinkState state) { state_ = state; }

private:
    int number_;
    std::string param_;
    TLinkState state_ = lsRest;
};

// <DYNAMIC>: a group whose content the program could supply; drawn like any group.
class TDynamicNode : public TParentNode {};

class TStringNode : public TNode {
public:
    explicit TStringNode(std::string text) : text_(std::move(text)) {}
    const std::string& Text() const { return text_; }
    void CollectText(std::string& text) const override { text += text_; }

private:
    std::string text_;
};

// <BR> and <P>.
class TActionNode : public TNode {
public:
    enum TAction : std::uint8_t { LineBreak, ParagraphBreak };
    explicit TActionNode(TAction action) : action_(action) {}
    TAction Action() const { return action_; }

private:
    TAction action_;
};

class TUnknownNode : public TNode {
public:
    explicit TUnknownNode(std::string tag) : tag_(std::move(tag)) {}
    const std::string& Tag() const { return tag_; }

private:
    std::string tag_;
};

// The parsed caption with its links by number.
class TNodeTree {
public:
    TRootNode& Root() { return root_; }
    const TRootNode& Root() const { return root_; }

    int LinkCount() const { return static_cast<int>(links_.size()); }
    // The link of that number; nullptr outside 0 .. LinkCount()-1.
    TLinkNode* Link(int number) const;
    // Called by the parser for each link in caption order.
    void RegisterLink(TLinkNode& link) { links_.push_back(&link); }

private:
    TRootNode root_;
    std::vector<TLinkNode*> links_;
};

}  // namespace velora::controls
