#pragma once
// The application's general error display on Linux: a message box with the
// exception's text, captioned "VELORA Desktop".

#include <exception>
#include <string>

namespace velora::gtk {

std::string ExceptionMessage(std::exception_ptr error);
void ShowException(std::exception_ptr error);

}  // namespace velora::gtk
