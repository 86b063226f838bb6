// Build with -DVELORA_FUZZ=ON and clang (see CMakeLists.txt beside this file).
// Feeds arbitrary captions to the link label's markup parser and lays the
// tree out: captions come from the language files, so any input must parse
// (however deep its groups) into links numbered in order and a text cut from
// the caption, and lay out into lines where every word sits right after the
// one before it, stays inside the width unless it starts its line, and is
// hit by a click on it as the link it belongs to.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "controls/linklabel/LinkLabelTestSupport.h"
#include "text/Text.h"
#include "controls/linklabel/LinkLabelLayout.h"
#include "controls/linklabel/LinkLabelParser.h"

namespace {

using namespace velora::controls;

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

// Whether `part` is `whole` with some bytes left out.
bool IsSubsequence(std::string_view part, std::string_view whole) {
    std::size_t at = 0;
    for (char c : part) {
        at = whole.find(c, at);
        if (at == std::string_view::npos) return false;
        ++at;
    }
    return true;
}

void CheckLinks(const TNodeTree& tree) {
    for (int number = 0; number < tree.LinkCount(); ++number)
        Check(tree.Link(number) != nullptr && tree.Link(number)->Number() == number);
    Check(tree.Link(-1) == nullptr && tree.Link(tree.LinkCount()) == nullptr);
}

void CheckLayout(const TNodeTree& tree, const TLinkLabelLayout& layout, int width, TFontStyles linkStyle,
                 std::string_view text) {
    Check(layout.LineHeight > 0);
    Check(layout.LinkAreas.size() == static_cast<std::size_t>(tree.LinkCount()));
    std::string placedText;
    const TPlacedWord* previous = nullptr;
    for (const TPlacedWord& word : layout.Words) {
        const TRect& box = word.Bounds;
        Check(!word.Text.empty() && box.Right > box.Left);
        Check(box.Top % layout.LineHeight == 0 && box.Bottom == box.Top + layout.LineHeight);
        Check(box.Top >= 0 && box.Bottom <= layout.TextHeight);
        if (previous && previous->Bounds.Top == box.Top)
            Check(box.Left == previous->Bounds.Right);
        else
            Check(box.Left == 0 && (!previous || box.Top > previous->Bounds.Top));
        Check(box.Left == 0 || box.Right < width);
        Check(word.LinkNumber >= -1 && word.LinkNumber < tree.LinkCount());
        if (word.LinkNumber >= 0) Check((word.Style.ToBits() & linkStyle.ToBits()) == linkStyle.ToBits());
        placedText += word.Text;
        previous = &word;
    }
    // Only spaces at line ends are dropped.
    Check(IsSubsequence(placedText, text));

    // Words never overlap, so a click on one finds its own link. Limited to
    // the first words: the lookup goes through every link area.
    for (std::size_t i = 0; i < layout.Words.size() && i < 64; ++i) {
        const TPlacedWord& word = layout.Words[i];
        Check(layout.LinkAt(word.Bounds.Left, word.Bounds.Top) == word.LinkNumber);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte picks the line width and the style links add; the rest
    // is the caption.
    int width = 120;
    TFontStyles linkStyle{fsUnderline};
    if (size > 0) {
        width = (data[0] >> 3) * 16 - 8;
        linkStyle = TFontStyles::FromBits(data[0] & 7);  // bold, italic, underlined
        ++data;
        --size;
    }
    const std::string_view caption(reinterpret_cast<const char*>(data), size);
    const std::unique_ptr<TNodeTree> tree = TDefaultParser().Parse(caption);
    CheckLinks(*tree);

    std::string text;
    tree->Root().CollectText(text);
    Check(text.find('<') == std::string::npos);
    Check(IsSubsequence(text, velora::text::ReplaceAll(caption, "\r\n", "")));

    velora::controls::testing::FixedWidthMeasurer measurer;
    const TLinkLabelLayout layout = TTextHandler(measurer, width, linkStyle).LayOut(*tree);
    CheckLayout(*tree, layout, width, linkStyle, text);
    return 0;
}
