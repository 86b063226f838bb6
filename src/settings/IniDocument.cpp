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
}  // namespace

void TIniDocument::Parse(std::string_view text) {
    sections_.clear();
    Section* current = nullptr;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        start = end + 1;

        if (line.empty() || line.front() == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            sections_.push_back({Trim(std::string_view(line).substr(1, line.size() - 2)), {}});
            current = &sections_.back();
            continue;
        }
        if (!current) continue;  // before the first section
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            current->lines.push_back(line);
        else
            current->lines.push_back(Trim(std::string_view(line).substr(0, equals)) + "=" +
                                     Trim(std::string_view(line).substr(equals + 1)));
    }
}

std::string TIniDocument::Text() const {
    std::string out;
    for (const Section& section : sections_) {
        out += "[" + section.name + "]\r\n";
        for (const std::string& line : section.lines) out += line + "\r\n";
        out += "\r\n";
    }
    return out;
}

bool TIniDocument::LoadFromFile(const platform::FileSystem& fileSystem, const std::string& fileName) {
    const std::optional<std::string> content = fileSystem.ReadFile(fileName);
    if (!content) return false;
    Parse(*content);
    fileName_ = fileName;
    return true;
}

void TIniDocument::SaveToFile(platform::FileSystem& fileSystem, const std::string& fileName) {
    fileName_ = fileName;
    fileSystem.ReplaceContents(fileName, Text());
}

TIniDocument::Section* TIniDocument::FindSection(std::string_view name) {
    for (auto it = sections_.rbegin(); it != sections_.rend(); ++it)
        if (SameText(it->name, name)) return &*it;
    return nullptr;
}

const TIniDocument::Section* TIniDocument::FindSection(std::string_view name) const {
    return const_cast<TIniDocument*>(this)->FindSection(name);
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
    Section* found = FindSection(section);
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
    Section* found = FindSection(section);
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
    for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
        if (SameText(it->name, section)) {
            sections_.erase(std::prev(it.base()));
            return true;
        }
    }
    return false;
}

void TIniDocument::EraseSectionsWithPrefix(std::string_view prefix) {
    std::erase_if(sections_, [prefix](const Section& section) { return text::StartsWith(section.name, prefix); });
}

}  // namespace velora::settings
