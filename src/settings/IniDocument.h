#pragma once
// The whole content of an INI file in memory: an ordered list of sections,
// each an ordered list of lines, normally "key=value". Section names and keys
// match without regard to letter case; where a name occurs more than once,
// reading, writing and erasing use the last occurrence.
//
// The settings file is read again whenever it changed, for a single value
// most of the time: parsing finds only the section headers, and a section's
// lines are taken from the text the first time they are needed.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velora::platform {
class FileSystem;
}

namespace velora::settings {

class TIniDocument {
public:
    struct Section {
        std::string name;
        std::vector<std::string> lines;
    };

    // Replaces the content with the parsed text: lines trimmed, empty lines,
    // ";" comments and lines before the first section dropped, key and value
    // of "key=value" lines trimmed, other lines kept with an empty key.
    void Parse(std::string_view text);
    // Each section as "[name]", its lines and one empty line, all ending in CR LF.
    std::string Text() const;

    // Parses the file and remembers its name; false (content untouched) when
    // it cannot be read.
    bool LoadFromFile(const platform::FileSystem& fileSystem, const std::string& fileName);
    // Takes the name as its own and replaces the file with Text().
    // Throws platform::FileSystemError.
    void SaveToFile(platform::FileSystem& fileSystem, const std::string& fileName);
    const std::string& FileName() const { return fileName_; }

    void Clear();
    const std::vector<Section>& Sections() const;

    bool HasKey(std::string_view section, std::string_view key) const;
    std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;
    // Replaces the text of an existing key in place, else appends key=value to
    // the section; a missing section is appended to the document. Line breaks
    // (CR and LF) are dropped from the section, key and value first: every
    // change through the store comes here, so nothing written splits a line.
    void WriteValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes the key's line; false when there was none.
    bool EraseKey(std::string_view section, std::string_view key);

    // True when the section exists and holds at least one line.
    bool HasLines(std::string_view section) const;
    std::vector<std::string> SectionLines(std::string_view section) const;
    // Erases the section; false when there was none.
    bool EraseSection(std::string_view section);
    // Erases every section whose name begins with the prefix, compared
    // case-sensitively; an empty prefix erases all.
    void EraseSectionsWithPrefix(std::string_view prefix);

private:
    // Where the lines of a section not yet taken from the text lie in it.
    struct PendingLines {
        std::size_t begin = 0;
        std::size_t end = 0;
        bool pending = false;
    };

    // Keeps the text and finds its sections; their lines stay in the text.
    void Adopt(std::string text);
    // The section's lines, taken from the text first if they are still there.
    const Section& Lines(std::size_t index) const;
    // Every section's lines, before a change or a look at all of them.
    void TakeAllLines() const;

    // The last section of that name (with its lines), or nothing.
    const Section* FindSection(std::string_view name) const;
    Section* FindSectionToChange(std::string_view name);
    static std::vector<std::string>::const_iterator FindLine(const Section& section, std::string_view key);

    // Index-aligned while any section's lines are still in text_.
    mutable std::vector<Section> sections_;
    mutable std::vector<PendingLines> pending_;
    mutable std::string text_;
    std::string fileName_;
};

}  // namespace velora::settings
