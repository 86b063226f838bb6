#include "controls/linklabel/LinkLabelLayout.h"

#include <algorithm>

namespace velora::controls {

namespace {

TFontStyles Combined(TFontStyles a, TFontStyles b) { return TFontStyles::FromBits(a.ToBits() | b.ToBits()); }

bool Contains(const TRect& rect, int x, int y) {
    return x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom;
}

}  // namespace

int TLinkLabelLayout::LinkAt(int x, int y) const {
    for (std::size_t link = 0; link < LinkAreas.size(); ++link)
        for (const TRect& area : LinkAreas[link])
            if (Contains(area, x, y)) return static_cast<int>(link);
    return -1;
}

TLinkLabelLayout TTextHandler::LayOut(const TNodeTree& tree) {
    layout_ = {};
    x_ = y_ = 0;
    lineStart_ = 0;
    // The line height comes from the font as it is, without any style.
    layout_.LineHeight = measurer_.MeasureText("Yy", {}).Height;

    const TRootNode& root = tree.Root();
    Inherited inherited;
    inherited.style = root.FontStyle();
    inherited.color = root.FontColor();
    LayOutGroup(root, inherited);
    FinishLine();
    layout_.TextHeight = y_ + layout_.LineHeight;

    layout_.LinkAreas.resize(static_cast<std::size_t>(tree.LinkCount()));
    for (const TPlacedWord& word : layout_.Words)
        if (word.LinkNumber >= 0 && word.LinkNumber < tree.LinkCount())
            layout_.LinkAreas[static_cast<std::size_t>(word.LinkNumber)].push_back(word.Bounds);
    return std::move(layout_);
}

void TTextHandler::LayOutGroup(const TParentNode& group, const Inherited& inherited) {
    WalkInCaptionOrder(
        group, inherited, [this](const TParentNode& inner, Inherited outer) { return Inside(inner, outer); },
        [this](const TNode& node, const Inherited& around) {
            if (const auto* text = dynamic_cast<const TStringNode*>(&node))
                PlaceWords(text->Text(), around);
            else if (const auto* action = dynamic_cast<const TActionNode*>(&node))
                NewLines(action->Action() == TActionNode::ParagraphBreak ? 2 : 1);
            // an unknown tag draws nothing
        });
}

// What a group adds to the style, colour and link its text inherits.
TTextHandler::Inherited TTextHandler::Inside(const TParentNode& group, Inherited inherited) const {
    if (const auto* style = dynamic_cast<const TStyleNode*>(&group)) {
        inherited.style.Include(style->Style());
    } else if (const auto* color = dynamic_cast<const TColorNode*>(&group)) {
        inherited.color = color->Color();
        inherited.linkColored = false;
    } else if (const auto* link = dynamic_cast<const TLinkNode*>(&group)) {
        inherited.style = Combined(inherited.style, linkStyle_);
        inherited.link = link->Number();
        inherited.linkColored = true;
    }
    return inherited;
}

// A word runs up to and including the next space.
void TTextHandler::PlaceWords(const std::string& text, const Inherited& inherited) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t space = text.find(' ', at);
        const std::size_t end = space == std::string::npos ? text.size() : space + 1;
        std::string word = text.substr(at, end - at);
        at = end;

        const int width = measurer_.MeasureText(word, inherited.style).Width;
        // A word that reaches the right edge goes to a new line, unless it
        // starts a line already (the first word, or one longer than a line)
        // or is a single space.
        if (x_ > 0 && word != " " && x_ + width >= width_) NewLines(1);

        TPlacedWord placed;
        placed.Text = std::move(word);
        placed.Bounds = TRect{x_, y_, x_ + width, y_ + layout_.LineHeight};
        placed.Style = inherited.style;
        placed.Color = inherited.color;
        placed.LinkNumber = inherited.link;
        placed.LinkColored = inherited.linkColored;
        layout_.Words.push_back(std::move(placed));
        x_ += width;
    }
}

// Drops the trailing spaces of the line just finished.
void TTextHandler::FinishLine() {
    auto& words = layout_.Words;
    while (words.size() > lineStart_) {
        TPlacedWord& last = words.back();
        const std::size_t kept = last.Text.find_last_not_of(' ');
        if (kept == std::string::npos) {
            words.pop_back();
            continue;
        }
        if (kept + 1 < last.Text.size()) {
            last.Text.erase(kept + 1);
            last.Bounds.Right = last.Bounds.Left + measurer_.MeasureText(last.Text, last.Style).Width;
        }
        break;
    }
    lineStart_ = words.size();
}

void TTextHandler::NewLines(int count) {
    FinishLine();
    x_ = 0;
    y_ += count * layout_.LineHeight;
}

int TextBlockTop(TTextLayout layout, int clientHeight, int marginHeight, int textHeight) {
    const int available = clientHeight - 2 * marginHeight;
    int top = marginHeight;
    if (layout == tlCenter) top = marginHeight + (available - textHeight) / 2;
    if (layout == tlBottom) top = marginHeight + available - textHeight;
    return std::max(top, marginHeight);
}

}  // namespace velora::controls
