#include "gtk/AnsiText.h"

#include <array>
#include <cstdint>

namespace velora::gtk {

namespace {

// 0x80 to 0x9F, where Windows-1252 differs from Latin-1. Zero: undefined.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        const char32_t mapped = kHighControls[byte - 0x80];
        return mapped != 0 ? mapped : byte;
    }
    return byte;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char AnsiOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    // The undefined bytes come back as they went.
    if (c >= 0x80 && c <= 0x9F && kHighControls[c - 0x80] == 0) return static_cast<char>(c);
    return '?';
}

}  // namespace

std::string ToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (const char byte : ansi) AppendUtf8(out, CodePoint(static_cast<unsigned char>(byte)));
    return out;
}

std::string FromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > utf8.size()) {
            out += '?';
            ++i;
            continue;
        }
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (!valid) {
            out += '?';
            ++i;
            continue;
        }
        out += AnsiOf(c);
        i += static_cast<std::size_t>(length);
    }
    return out;
}

std::string MnemonicUtf8(std::string_view ansiCaption) {
    std::string marked;
    for (std::size_t i = 0; i < ansiCaption.size(); ++i) {
        const char c = ansiCaption[i];
        if (c == '&') {
            if (i + 1 < ansiCaption.size() && ansiCaption[i + 1] == '&') {
                marked += '&';
                ++i;
            } else {
                marked += '_';
            }
        } else if (c == '_') {
            marked += "__";
        } else {
            marked += c;
        }
    }
    return ToUtf8(marked);
}

}  // namespace velora::gtk
