#pragma once
// The hook a later start of the program reaches in the running instance:
// whatever its arguments, the running instance reacts the same way (the main
// window sets it to open the send page).

#include <functional>

namespace velora::app {

std::function<void()>& OnSecondInstance();

}  // namespace velora::app
