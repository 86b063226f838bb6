#pragma once
// The hook a later start of the program reaches in the running instance:
// whatever its arguments, the running instance reacts the same way (the main
// window sets it to open the send page).
//
// A later start may arrive while this instance is still starting, even in
// the middle of creating its forms (the system delivers sent messages while
// a form waits on the shell). Until start-up declares the forms complete,
// hand-overs are only counted; each one counted is acted on then.

#include <functional>

namespace velora::app {

std::function<void()>& OnSecondInstance();

// The message handler's entry: acts on the hand-over now, or remembers it
// while start-up is not complete.
void ReceiveSecondInstance();

// Start-up has created every form: each hand-over counted so far is acted
// on, later ones at once. Closing again (at the end of the run) makes
// hand-overs wait for the next start-up, as they do before the first.
void SecondInstancesWelcome(bool welcome);

}  // namespace velora::app
