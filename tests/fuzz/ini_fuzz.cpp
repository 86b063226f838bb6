// Build with -DVELORA_FUZZ=ON and clang (see CMakeLists.txt beside this file).
// Feeds arbitrary bytes to the INI parser the settings file goes through: any
// input must give a document whose text parses back into the same document
// (the store rewrites the whole file from that text), every key must read
// back the value of its last line, and a value written over the last line
// must replace it in place and survive the trip through the text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/IniDocument.h"
#include "text/Text.h"

namespace {

using velora::settings::TIniDocument;
using velora::text::SameText;

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

// A line splits at its first "="; one without "=" has the empty key and the
// empty value.
struct KeyAndValue {
    std::string_view key;
    std::string_view value;
};

KeyAndValue Split(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return {};
    return {line.substr(0, equals), line.substr(equals + 1)};
}

bool SameSections(const TIniDocument& a, const TIniDocument& b) {
    if (a.Sections().size() != b.Sections().size()) return false;
    for (std::size_t i = 0; i < a.Sections().size(); ++i)
        if (a.Sections()[i].name != b.Sections()[i].name || a.Sections()[i].lines != b.Sections()[i].lines)
            return false;
    return true;
}

// Reading and writing by name use the last section of that name, and in it
// the last line of that key.
template <class Items, class Same>
bool IsLastOfItsName(const Items& items, std::size_t index, Same same) {
    for (std::size_t later = index + 1; later < items.size(); ++later)
        if (same(items[later], items[index])) return false;
    return true;
}

void CheckEveryKeyReadsItsLastLine(const TIniDocument& doc) {
    const auto& sections = doc.Sections();
    const auto sameName = [](const auto& a, const auto& b) { return SameText(a.name, b.name); };
    const auto sameKey = [](std::string_view a, std::string_view b) { return SameText(Split(a).key, Split(b).key); };
    for (std::size_t s = 0; s < sections.size(); ++s) {
        if (!IsLastOfItsName(sections, s, sameName)) continue;
        const auto& lines = sections[s].lines;
        for (std::size_t l = 0; l < lines.size(); ++l) {
            if (!IsLastOfItsName(lines, l, sameKey)) continue;
            const KeyAndValue line = Split(lines[l]);
            Check(doc.HasKey(sections[s].name, line.key));
            Check(doc.ReadValue(sections[s].name, line.key) == line.value);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TIniDocument doc;
    doc.Parse(std::string_view(reinterpret_cast<const char*>(data), size));

    // At most a line break and brackets are added to what the input held.
    const std::string text = doc.Text();
    Check(text.size() <= 3 * size);
    TIniDocument again;
    again.Parse(text);
    Check(SameSections(doc, again));

    CheckEveryKeyReadsItsLastLine(doc);

    if (doc.Sections().empty() || doc.Sections().back().lines.empty()) return 0;
    const TIniDocument::Section& last = doc.Sections().back();
    const std::string_view key = Split(last.lines.back()).key;
    again.WriteValue(last.name, key, "written");
    Check(again.Sections().size() == doc.Sections().size());
    Check(again.Sections().back().lines.size() == last.lines.size());
    TIniDocument reread;
    reread.Parse(again.Text());
    Check(reread.ReadValue(last.name, key) == "written");
    return 0;
}
