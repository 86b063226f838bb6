#include "settings/StoragePath.h"

#include <algorithm>
#include <vector>

#include "settings/StorageErrors.h"

namespace velora::settings {

namespace {
bool AllDots(std::string_view component) {
    return component.find_first_not_of('.') == std::string_view::npos;
}
}  // namespace

std::string NormalizeStoragePath(std::string_view path) {
    std::vector<std::string_view> kept;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view component = path.substr(start, end - start);
        start = end + 1;

        if (component.empty()) continue;
        if (AllDots(component)) {
            // "." removes nothing, ".." the component before it, and so on.
            const std::size_t removed = std::min(component.size() - 1, kept.size());
            kept.resize(kept.size() - removed);
            continue;
        }
        kept.push_back(component);
    }

    std::string result;
    for (const std::string_view component : kept) {
        if (!result.empty()) result += '\\';
        result.append(component);
    }
    return result;
}

ValuePath SplitStoragePath(std::string_view path, std::string_view defaultSection) {
    const std::string normalized = NormalizeStoragePath(path);
    ValuePath result;
    const std::size_t lastSeparator = normalized.rfind('\\');
    if (lastSeparator == std::string::npos) {
        result.key = normalized;
    } else {
        result.section = normalized.substr(0, lastSeparator);
        result.key = normalized.substr(lastSeparator + 1);
    }

    if (result.section.empty())
        result.section = std::string(defaultSection);
    else if (result.section.front() == '.')
        result.section = std::string(defaultSection) + result.section;

    if (result.section.empty() || result.section.front() == '.')
        throw EAppStorageError("TAppIniFileStorage.ReadValue: Section undefined");
    return result;
}

}  // namespace velora::settings
