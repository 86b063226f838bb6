#pragma once
// The program's message boxes on Linux (its messages and its error
// display): modal, kept above the other windows, and closed by an end asked
// for meanwhile (a signal) as a modal form is, so that the end is not held
// up until someone answers.

#include <string>

namespace velora::gtk {

enum class MessageKind { Message, Error };

// Text and caption in UTF-8. Returns once the box is answered or the
// program is to end.
void RunMessageBox(MessageKind kind, const std::string& text, const std::string& caption);

}  // namespace velora::gtk
