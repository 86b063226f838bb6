#pragma once
// The text an error display shows for an exception: what() of a standard
// exception, a fixed text for anything else.

#include <exception>
#include <string>

namespace velora::controls {

std::string ExceptionMessage(std::exception_ptr error);

}  // namespace velora::controls
