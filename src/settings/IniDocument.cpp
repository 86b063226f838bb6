#include "settings/IniDocument.h"

#include <algorithm>

#include "platform/FileSystem.h"
#include "text/Text.h"

namespace velora::settings {

using text::SameText;
using text::Trim;

namespace {
// A line's key is the text before its first "="; a line without one has none.
std::string_view KeyOf(std::string_view line) {
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view() : line.substr(0, equals);
}

std::string_view ValueOf(std::string_view line) {
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
}

// A line break inside a written name or value would end its line early and
// let the rest pass for lines of their own (a second section, another key).
std::string WithoutLineBreaks(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (const char c : text)
        if (c != '\r' && c != '\n') kept += c;
    return kept;
}

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::size_t LineEnd(std::string_view text, std::size_t from) {
    while (from < text.size() && !IsLineBreak(text[from])) ++from;
    return from;
}

std::string_view TrimmedView(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The lines of a section's text, trimmed, without empty lines and ";"
// comments; key and value of a "key=value" line trimmed, other lines kept
// as they are.
std::vector<std::string> LinesOf(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = LineEnd(text, start);
        const std::string_view line = TrimmedView(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == ';') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            lines.emplace_back(line);
        else
            lines.push_back(Trim(line.substr(0, equals)) + "=" + Trim(line.substr(equals + 1)));
    }
    return lines;
}
}  // namespace

void TIniDocument::Parse(std::string_view text) { Adopt(std::string(text)); }

// A section starts at a line that, trimmed, begins with "[" and ends with
// "]"; only a "[" that begins a line can start one, so the search goes from
// one "[" to the next and skips the rest of every line it looks at.
void TIniDocument::Adopt(std::string text) {
    sections_.clear();
    pending_.clear();
    text_ = std::move(text);
    const std::string_view all = text_;
    std::size_t at = 0;
    while ((at = all.find('[', at)) != std::string_view::npos) {
        std::size_t lineStart = at;
        while (lineStart > 0 && !IsLineBreak(all[lineStart - 1]) && IsBlank(all[lineStart - 1])) --lineStart;
        const std::size_t lineEnd = LineEnd(all, at);
        const std::string_view line = TrimmedView(all.substr(at, lineEnd - at));
        if ((lineStart == 0 || IsLineBreak(all[lineStart - 1])) && line.size() >= 2 && line.back() == ']') {
            if (!pending_.empty()) pending_.back().end = lineStart;
            sections_.push_back({Trim(line.substr(1, line.size() - 2)), {}});
            pending_.push_back({lineEnd, all.size(), true});
        }
        at = lineEnd;
    }
    if (sections_.empty()) text_.clear();  // nothing in it belongs to a section
}

const TIniDocument::Section& TIniDocument::Lines(std::size_t index) const {
    Section& section = sections_[index];
    if (index < pending_.size() && pending_[index].pending) {
        const PendingLines& lines = pending_[index];
        section.lines = LinesOf(std::string_view(text_).substr(lines.begin, lines.end - lines.begin));
        pending_[index].pending = false;
    }
    return section;
}

void TIniDocument::TakeAllLines() const {
    if (pending_.empty()) return;
    for (std::size_t i = 0; i < sections_.size(); ++i) Lines(i);
    pending_.clear();
    text_.clear();
    text_.shrink_to_fit();
}

void TIniDocument::Clear() {
    sections_.clear();
    pending_.clear();
    text_.clear();
}

const std::vector<TIniDocument::Section>& TIniDocument::Sections() const {
    TakeAllLines();
    return sections_;
}

std::string TIniDocument::Text() const {
    std::string out;
    for (const Section& section : Sections()) {
        out += "[" + section.name + "]\r\n";
        for (const std::string& line : section.lines) out += line + "\r\n";
        out += "\r\n";
    }
    return out;
}

bool TIniDocument::LoadFromFile(const platform::FileSystem& fileSystem, const std::string& fileName) {
    std::optional<std::string> content = fileSystem.ReadFile(fileName);
    if (!content) return false;
    Adopt(std::move(*content));
    fileName_ = fileName;
    return true;
}

void TIniDocument::SaveToFile(platform::FileSystem& fileSystem, const std::string& fileName) {
    fileName_ = fileName;
    fileSystem.ReplaceContents(fileName, Text());
}

const TIniDocument::Section* TIniDocument::FindSection(std::string_view name) const {
    for (std::size_t i = sections_.size(); i-- > 0;)
        if (SameText(sections_[i].name, name)) return &Lines(i);
    return nullptr;
}

TIniDocument::Section* TIniDocument::FindSectionToChange(std::string_view name) {
    TakeAllLines();
    return const_cast<Section*>(FindSection(name));
}

std::vector<std::string>::const_iterator TIniDocument::FindLine(const Section& section, std::string_view key) {
    for (auto it = section.lines.rbegin(); it != section.lines.rend(); ++it)
        if (SameText(KeyOf(*it), key)) return std::prev(it.base());
    return section.lines.end();
}

bool TIniDocument::HasKey(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    return found && FindLine(*found, key) != found->lines.end();
}

std::optional<std::string> TIniDocument::ReadValue(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    if (!found) return std::nullopt;
    const auto line = FindLine(*found, key);
    if (line == found->lines.end()) return std::nullopt;
    return std::string(ValueOf(*line));
}

void TIniDocument::WriteValue(std::string_view rawSection, std::string_view rawKey, std::string_view rawValue) {
    const std::string section = WithoutLineBreaks(rawSection);
    const std::string key = WithoutLineBreaks(rawKey);
    const std::string value = WithoutLineBreaks(rawValue);
    Section* found = FindSectionToChange(section);
    if (!found) {
        sections_.push_back({section, {}});
        found = &sections_.back();
    }
    const auto line = FindLine(*found, key);
    if (line == found->lines.end()) {
        found->lines.push_back(key + "=" + value);
    } else {
        // The key keeps the spelling it already has in the file.
        std::string& existing = found->lines[static_cast<std::size_t>(line - found->lines.cbegin())];
        existing = std::string(KeyOf(existing)) + "=" + value;
    }
}

bool TIniDocument::EraseKey(std::string_view section, std::string_view key) {
    Section* found = FindSectionToChange(section);
    if (!found) return false;
    const auto line = FindLine(*found, key);
    if (line == found->lines.end()) return false;
    found->lines.erase(line);
    return true;
}

bool TIniDocument::HasLines(std::string_view section) const {
    const Section* found = FindSection(section);
    return found && !found->lines.empty();
}

std::vector<std::string> TIniDocument::SectionLines(std::string_view section) const {
    const Section* found = FindSection(section);
    return found ? found->lines : std::vector<std::string>();
}

bool TIniDocument::EraseSection(std::string_view section) {
    TakeAllLines();
    for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
        if (SameText(it->name, section)) {
            sections_.erase(std::prev(it.base()));
            return true;
        }
    }
    return false;
}

void TIniDocument::EraseSectionsWithPrefix(std::string_view prefix) {
    TakeAllLines();
    std::erase_if(sections_, [prefix](const Section& section) { return text::StartsWith(section.name, prefix); });
}

}  // namespace velora::settings
