#pragma once
// The errors the settings store passes to its caller. The application's
// general error handler shows their messages as they are.

#include <stdexcept>
#include <string>

namespace velora::settings {

// A path the store cannot place in a section, and other misuse of the store.
class EAppStorageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A stored text that does not convert to the type asked for.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The settings file (or a folder on its way) could not be written.
class EFCreateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline EConvertError InvalidIntegerError(const std::string& text) {
    return EConvertError("'" + text + "' is not a valid integer value");
}

inline EFCreateError CannotCreateFileError(const std::string& fileName, const std::string& reason) {
    return EFCreateError("Cannot create file \"" + fileName + "\". " + reason);
}

}  // namespace velora::settings
