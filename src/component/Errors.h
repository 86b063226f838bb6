#pragma once
// Errors of the component model. Each is a std::runtime_error, so a caller
// that applies many values one by one can guard each with one catch.

#include <stdexcept>

namespace velora::component {

// A property was used against its nature: written without a setter, read or
// written as another kind, or given a value outside its range.
class PropertyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text could not be converted to a value (a malformed set, an unknown name).
class ConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An index outside a list or collection.
class ListError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// A component operation that was refused (a name taken twice, an invalid name).
class ComponentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace velora::component
