#include "app/VersionCompare.h"

#include "text/Numbers.h"

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
    return text::ParseInt32(component).value_or(-1);
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
