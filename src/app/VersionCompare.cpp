#include "app/VersionCompare.h"

#include <charconv>

namespace velora::app {

int NextVersionComponent(std::string& text) {
    std::string component;
    const auto dot = text.find('.');
    if (dot == std::string::npos) {
        component.swap(text);
    } else {
        component = text.substr(0, dot);
        text.erase(0, dot + 1);
    }
    if (component.empty()) return -1;
    int value = 0;
    const char* first = component.data();
    const char* last = first + component.size();
    if (*first == '+') ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last) return -1;
    return value;
}

int CompareVersions(std::string a, std::string b) {
    for (;;) {
        const int left = NextVersionComponent(a);
        const int right = NextVersionComponent(b);
        if (left < right) return 1;
        if (left > right) return -1;
        if (a.empty() || b.empty()) return 0;
    }
}

}  // namespace velora::app
