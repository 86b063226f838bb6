#include "text/Text.h"

namespace velora::text {

namespace {
// Windows-1252 letters outside ASCII whose two cases differ by more than 0x20.
constexpr unsigned char kUpperSpecial[][2] = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}};
}  // namespace

char AnsiUpper(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 0x20);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 0x20);
    for (const auto& pair : kUpperSpecial)
        if (u == pair[0]) return static_cast<char>(pair[1]);
    return c;
}

char AnsiLower(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 0x20);
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 0x20);
    for (const auto& pair : kUpperSpecial)
        if (u == pair[1]) return static_cast<char>(pair[0]);
    return c;
}

std::string AnsiUpperCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = AnsiUpper(c);
    return out;
}

std::string AnsiLowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = AnsiLower(c);
    return out;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AnsiUpper(a[i]) != AnsiUpper(b[i])) return false;
    return true;
}

std::string Trim(std::string_view s) {
    size_t begin = 0, end = s.size();
    while (begin < end && static_cast<unsigned char>(s[begin]) <= ' ') ++begin;
    while (end > begin && static_cast<unsigned char>(s[end - 1]) <= ' ') --end;
    return std::string(s.substr(begin, end - begin));
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(s);
    std::string out;
    size_t pos = 0;
    for (size_t hit; (hit = s.find(from, pos)) != std::string_view::npos; pos = hit + from.size()) {
        out.append(s.substr(pos, hit - pos));
        out.append(to);
    }
    out.append(s.substr(pos));
    return out;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

}  // namespace velora::text
