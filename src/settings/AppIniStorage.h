#pragma once
// The store's primitives over an INI document held in memory.

#include <string>
#include <string_view>
#include <vector>

#include "settings/AppMemoryFileStorage.h"
#include "settings/IniDocument.h"

namespace velora::settings {

class TCustomAppIniStorage : public TCustomAppMemoryFileStorage {
public:
    TCustomAppIniStorage(platform::FileSystem& fileSystem, const platform::KnownFolders& knownFolders,
                         const platform::RegionalSettings& regionalSettings);

    // The section used when a path names none.
    const std::string& DefaultSection() const { return defaultSection_; }
    void SetDefaultSection(std::string section) { defaultSection_ = std::move(section); }

    // Direct access to the document as last loaded; neither reloads nor flushes.
    std::vector<std::string> SectionLines(std::string_view section) const;
    void SetSectionValue(std::string_view section, std::string_view key, std::string_view value);

protected:
    TIniDocument& Document() { return document_; }
    const TIniDocument& Document() const { return document_; }
    std::string DefaultExtension() const override { return ".ini"; }

    ValuePath SplitKeyPath(std::string_view path) const override;
    bool SectionExists(std::string_view section) override;
    bool ValueExists(const ValuePath& path) override;
    bool DeleteValue(const ValuePath& path) override;
    void DeleteSubTree(std::string_view normalizedPath) override;
    std::int32_t DoReadInteger(const ValuePath& path, std::int32_t defaultValue) override;
    void DoWriteInteger(const ValuePath& path, std::int32_t value) override;
    std::string DoReadString(const ValuePath& path, const std::string& defaultValue) override;
    void DoWriteString(const ValuePath& path, const std::string& value) override;
    std::vector<std::uint8_t> DoReadBinary(const ValuePath& path, std::size_t maxBytes) override;

private:
    // The three INI helpers the primitives rest on.
    std::optional<std::string> ReadRawValue(const ValuePath& path) const;
    void WriteRawValue(const ValuePath& path, const std::string& value);
    bool RemoveRawValue(const ValuePath& path);

    TIniDocument document_;
    std::string defaultSection_;
};

}  // namespace velora::settings
