#pragma once
// Turns a link label's caption into its document tree. The markup:
//   <B> <I> <U>           bold, italic, underlined text
//   <COLOR=clRed>         coloured text (a colour name or a number)
//   <LINK> <LINK=param>   a link, numbered from 0 in caption order
//   <BR> <P>              line break, paragraph break (two lines down)
//   <DYNAMIC>             a group the program could fill; drawn like any group
// Tag names are matched without regard to case; an unknown tag draws nothing.
// Any end tag closes the innermost open group whatever its name, and an end
// tag outside every group ends the caption. CR LF pairs are removed first.

#include <memory>
#include <string_view>

#include "controls/linklabel/LinkLabelNodes.h"
#include "controls/Color.h"

namespace velora::controls {

class TDefaultParser {
public:
    std::unique_ptr<TNodeTree> Parse(std::string_view caption) const;
};

// A colour as the markup names it: a colour name such as "clRed" (any letter
// case) or an integer (decimal, or hexadecimal after "$" or "0x"); clNone
// when it is neither.
TColor ColorFromText(std::string_view text);

}  // namespace velora::controls
