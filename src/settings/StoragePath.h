#pragma once
// Settings paths: "section\key", where the section is everything before the
// last backslash and may itself contain backslashes.

#include <string>
#include <string_view>

namespace velora::settings {

// Drops empty and "." components; a component of n dots (n >= 2) removes the
// n - 1 components before it, as far as there are any. The result has single
// backslashes and none at either end.
std::string NormalizeStoragePath(std::string_view path);

struct ValuePath {
    std::string section;
    std::string key;
};

// Normalises the path and splits it at its last backslash. An empty section
// becomes defaultSection; a section beginning with "." gets defaultSection in
// front of it. A section that is then still empty or begins with "." raises
// EAppStorageError "TAppIniFileStorage.ReadValue: Section undefined".
ValuePath SplitStoragePath(std::string_view path, std::string_view defaultSection);

}  // namespace velora::settings
