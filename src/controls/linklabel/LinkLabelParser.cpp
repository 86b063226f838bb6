#include "controls/linklabel/LinkLabelParser.h"

#include <cstdint>
#include <string>
#include <vector>

#include "text/Numbers.h"
#include "text/Text.h"

namespace velora::controls {

namespace {

struct NamedColor {
    std::string_view name;
    TColor color;
};

constexpr NamedColor kColorNames[] = {
    {"clBlack", 0x000000},     {"clMaroon", 0x000080},    {"clGreen", 0x008000},
    {"clOlive", 0x008080},     {"clNavy", 0x800000},      {"clPurple", 0x800080},
    {"clTeal", 0x808000},      {"clGray", 0x808080},      {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},       {"clLime", 0x00FF00},      {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},      {"clFuchsia", 0xFF00FF},   {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},     {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},     {"clMedGray", 0xA4A0A0},   {"clNone", clNone},
    {"clDefault", 0x20000000},
    // The system's colours, by their index.
    {"clScrollBar", SystemColor(0)},
    {"clBackground", SystemColor(1)},
    {"clActiveCaption", SystemColor(2)},
    {"clInactiveCaption", SystemColor(3)},
    {"clMenu", SystemColor(4)},
    {"clWindow", SystemColor(5)},
    {"clWindowFrame", SystemColor(6)},
    {"clMenuText", SystemColor(7)},
    {"clWindowText", SystemColor(8)},
    {"clCaptionText", SystemColor(9)},
    {"clActiveBorder", SystemColor(10)},
    {"clInactiveBorder", SystemColor(11)},
    {"clAppWorkSpace", SystemColor(12)},
    {"clHighlight", SystemColor(13)},
    {"clHighlightText", SystemColor(14)},
    {"clBtnFace", SystemColor(15)},
    {"clBtnShadow", SystemColor(16)},
    {"clGrayText", SystemColor(17)},
    {"clBtnText", SystemColor(18)},
    {"clInactiveCaptionText", SystemColor(19)},
    {"clBtnHighlight", SystemColor(20)},
    {"cl3DDkShadow", SystemColor(21)},
    {"cl3DLight", SystemColor(22)},
    {"clInfoText", SystemColor(23)},
    {"clInfoBk", SystemColor(24)},
    {"clHotLight", SystemColor(26)},
    {"clGradientActiveCaption", SystemColor(27)},
    {"clGradientInactiveCaption", SystemColor(28)},
    {"clMenuHighlight", SystemColor(29)},
    {"clMenuBar", SystemColor(30)},
};

std::string WithoutLineBreakPairs(std::string_view caption) {
    return text::ReplaceAll(caption, "\r\n", "");
}

// The text after the first "=", empty when there is none.
std::string_view AfterEquals(std::string_view content) {
    const auto equals = content.find('=');
    return equals == std::string_view::npos ? std::string_view{} : content.substr(equals + 1);
}

class ParseRun {
public:
    explicit ParseRun(TNodeTree& tree) : tree_(tree) { open_.push_back(&tree.Root()); }

    void Run(std::string_view caption) {
        std::size_t at = 0;
        while (at < caption.size()) {
            if (caption[at] != '<') {
                const std::size_t next = caption.find('<', at);
                const std::size_t end = next == std::string_view::npos ? caption.size() : next;
                open_.back()->AddChild<TStringNode>(std::string(caption.substr(at, end - at)));
                at = end;
                continue;
            }
            const bool endTag = at + 1 < caption.size() && caption[at + 1] == '/';
            const std::size_t contentStart = at + (endTag ? 2 : 1);
            // A tag nobody closed runs to the end of the caption.
            std::size_t close = caption.find('>', contentStart);
            if (close == std::string_view::npos) close = caption.size();
            const std::string_view content = caption.substr(contentStart, close - contentStart);
            at = close + 1;
            if (endTag) {
                if (open_.size() == 1) return;  // nothing open: the caption ends here
                open_.pop_back();
            } else {
                AddTag(content);
            }
        }
    }

private:
    void AddTag(std::string_view content) {
        TParentNode& parent = *open_.back();
        const std::string tag = text::AnsiUpperCase(content);
        if (tag == "B") {
            open_.push_back(&parent.AddChild<TStyleNode>(fsBold));
        } else if (tag == "I") {
            open_.push_back(&parent.AddChild<TStyleNode>(fsItalic));
        } else if (tag == "U") {
            open_.push_back(&parent.AddChild<TStyleNode>(fsUnderline));
        } else if (tag.starts_with("COLOR")) {
            open_.push_back(&parent.AddChild<TColorNode>(ColorFromText(AfterEquals(content))));
        } else if (tag.starts_with("LINK")) {
            auto& link = parent.AddChild<TLinkNode>(nextLinkNumber_++, std::string(AfterEquals(content)));
            tree_.RegisterLink(link);
            open_.push_back(&link);
        } else if (tag == "BR") {
            parent.AddChild<TActionNode>(TActionNode::LineBreak);
        } else if (tag == "P") {
            parent.AddChild<TActionNode>(TActionNode::ParagraphBreak);
        } else if (tag == "DYNAMIC") {
            open_.push_back(&parent.AddChild<TDynamicNode>());
        } else {
            parent.AddChild<TUnknownNode>(std::string(content));
        }
    }

    TNodeTree& tree_;
    // The groups open at this point; the root at the bottom.
    std::vector<TParentNode*> open_;
    int nextLinkNumber_ = 0;
};

bool ReadInteger(std::string_view text, TColor& value) {
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with("$")) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    const auto magnitude = text::ParseDigits(text, base, 0xFFFFFFFFull);
    if (!magnitude) return false;
    auto number = static_cast<std::int64_t>(*magnitude);
    if (negative) number = -number;
    // Hexadecimal takes all 32 bits (system colours have the top byte set).
    if (base == 16) {
        value = static_cast<TColor>(static_cast<std::uint32_t>(number));
        return true;
    }
    if (number < INT32_MIN || number > INT32_MAX) return false;
    value = static_cast<TColor>(number);
    return true;
}

}  // namespace

std::unique_ptr<TNodeTree> TDefaultParser::Parse(std::string_view caption) const {
    auto tree = std::make_unique<TNodeTree>();
    ParseRun(*tree).Run(WithoutLineBreakPairs(caption));
    return tree;
}

TColor ColorFromText(std::string_view value) {
    for (const NamedColor& named : kColorNames)
        if (text::SameText(named.name, value)) return named.color;
    TColor color = clNone;
    return ReadInteger(value, color) ? color : clNone;
}

}  // namespace velora::controls
