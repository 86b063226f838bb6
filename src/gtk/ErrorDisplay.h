#pragma once
// The application's general error display on Linux: a message box with the
// exception's text (controls/peers/ExceptionMessage.h), captioned
// "VELORA Desktop".

#include <exception>

namespace velora::gtk {

void ShowException(std::exception_ptr error);

}  // namespace velora::gtk
