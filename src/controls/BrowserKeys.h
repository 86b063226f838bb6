#pragma once
// Which keyboard messages the main window hands to the browser's in-place
// active object after the dialog manager has dispatched them.

namespace velora::controls {

// False for a key-down or key-up of Backspace or one of the four arrow keys,
// true for every other message. The page already received those keys through
// the normal dispatch; handing them over again would move the caret twice or
// make Backspace go back in the history.
bool PassesToBrowserAccelerator(unsigned message, unsigned virtualKey);

}  // namespace velora::controls
