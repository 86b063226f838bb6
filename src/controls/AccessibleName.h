#pragma once
// What a screen reader reads for a control, worked out once for every
// platform: a field is named by the label that stands before it (the
// label's FocusControl), any other control by its own text, without the
// "&" that marks its mnemonic.

#include <string>
#include <string_view>

namespace velora::controls {

class TControl;
class TLabel;
class TWinControl;

// The caption as it reads: "&&" becomes "&", a single "&" goes; line breaks
// (CR LF, CR, LF) become blanks.
std::string WithoutMnemonic(std::string_view caption);
// The character after the single "&", in lower case; 0 for none.
char MnemonicOf(std::string_view caption);
// The label on the control's form that names it; nullptr for none.
TLabel* LabelOf(const TWinControl& control);
// The name: the naming label's caption, else the control's own text (a link
// label's without its markup); empty when it has none.
std::string AccessibleName(const TControl& control);

}  // namespace velora::controls
