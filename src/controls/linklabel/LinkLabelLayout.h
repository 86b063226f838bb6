#pragma once
// Word-wrapping layout of a link label's document tree: where each word
// stands, in which style and colour, and the rectangles a click on a link
// hits. Positions count from the top-left corner of the text block.

#include <string>
#include <vector>

#include "controls/linklabel/LinkLabelNodes.h"
#include "controls/Canvas.h"
#include "controls/Control.h"

namespace velora::controls {

struct TTextSize {
    int Width = 0;
    int Height = 0;
};

// Measures text in the label's font with a style added; the platform's
// drawing surface supplies it.
class TTextMeasurer {
public:
    virtual ~TTextMeasurer() = default;
    virtual TTextSize MeasureText(const std::string& text, TFontStyles style) = 0;
};

// One word in its place.
struct TPlacedWord {
    std::string Text;
    TRect Bounds;
    TFontStyles Style;
    TColor Color = clNone;
    // The innermost link the word belongs to; -1 for none.
    int LinkNumber = -1;
    // The colour is the link's (it follows the link's state) rather than a
    // colour group's inside the link.
    bool LinkColored = false;
};

struct TLinkLabelLayout {
    std::vector<TPlacedWord> Words;
    // The rectangles of each link's words, by link number.
    std::vector<std::vector<TRect>> LinkAreas;
    int LineHeight = 0;
    int TextHeight = 0;

    // The link whose words cover the point; -1 for none.
    int LinkAt(int x, int y) const;
};

// Lays a tree out in lines `width` pixels wide (text reaching the right edge
// moves on to the next line). `linkStyle` is added to a link's text.
class TTextHandler {
public:
    TTextHandler(TTextMeasurer& measurer, int width, TFontStyles linkStyle)
        : measurer_(measurer), width_(width), linkStyle_(linkStyle) {}

    TLinkLabelLayout LayOut(const TNodeTree& tree);

private:
    struct Inherited {
        TFontStyles style;
        TColor color = clNone;
        int link = -1;
        bool linkColored = false;
    };

    void LayOutGroup(const TParentNode& group, const Inherited& inherited);
    Inherited Inside(const TParentNode& group, Inherited inherited) const;
    void PlaceWords(const std::string& text, const Inherited& inherited);
    void FinishLine();
    void NewLines(int count);

    TTextMeasurer& measurer_;
    int width_;
    TFontStyles linkStyle_;
    TLinkLabelLayout layout_;
    int x_ = 0;
    int y_ = 0;
    // Index of the first word of the current line.
    std::size_t lineStart_ = 0;
};

// The top of the text block in a control `clientHeight` pixels high: at the
// top, centred (rounded toward zero) or at the bottom of the area inside the
// margins, and never above the top margin.
int TextBlockTop(TTextLayout layout, int clientHeight, int marginHeight, int textHeight);

}  // namespace velora::controls
