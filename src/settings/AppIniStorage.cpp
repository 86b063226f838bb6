#include "settings/AppIniStorage.h"

#include "settings/ValueConversion.h"

namespace velora::settings {

TCustomAppIniStorage::TCustomAppIniStorage(platform::FileSystem& fileSystem,
                                           const platform::KnownFolders& knownFolders,
                                           const platform::RegionalSettings& regionalSettings)
    : TCustomAppMemoryFileStorage(fileSystem, knownFolders, regionalSettings,
                                  std::make_unique<TAppIniStorageOptions>()) {}

std::vector<std::string> TCustomAppIniStorage::SectionLines(std::string_view section) const {
    return document_.SectionLines(section);
}

void TCustomAppIniStorage::SetSectionValue(std::string_view section, std::string_view key, std::string_view value) {
    MarkChanged();
    document_.WriteValue(section, key, value);
}

std::optional<std::string> TCustomAppIniStorage::ReadRawValue(const ValuePath& path) const {
    return document_.ReadValue(path.section, path.key);
}

void TCustomAppIniStorage::WriteRawValue(const ValuePath& path, const std::string& value) {
    MarkChanged();
    document_.WriteValue(path.section, path.key, value);
}

bool TCustomAppIniStorage::RemoveRawValue(const ValuePath& path) {
    MarkChanged();
    return document_.EraseKey(path.section, path.key);
}

ValuePath TCustomAppIniStorage::SplitKeyPath(std::string_view path) const {
    return SplitStoragePath(path, defaultSection_);
}

bool TCustomAppIniStorage::SectionExists(std::string_view section) {
    return document_.HasLines(section);
}

bool TCustomAppIniStorage::ValueExists(const ValuePath& path) {
    return document_.HasKey(path.section, path.key);
}

bool TCustomAppIniStorage::DeleteValue(const ValuePath& path) {
    if (RemoveRawValue(path)) return true;
    // "a\b" may also name the section "a\b" rather than key b of section a.
    MarkChanged();
    return document_.EraseSection(path.section + "\\" + path.key);
}

void TCustomAppIniStorage::DeleteSubTree(std::string_view normalizedPath) {
    MarkChanged();
    document_.EraseSectionsWithPrefix(normalizedPath);
}

std::int32_t TCustomAppIniStorage::DoReadInteger(const ValuePath& path, std::int32_t defaultValue) {
    const std::optional<std::string> stored = ReadRawValue(path);
    if (!stored) return defaultValue;
    return stored->empty() ? 0 : StrToInt(*stored);
}

void TCustomAppIniStorage::DoWriteInteger(const ValuePath& path, std::int32_t value) {
    WriteRawValue(path, std::to_string(value));
}

std::string TCustomAppIniStorage::DoReadString(const ValuePath& path, const std::string& defaultValue) {
    return ReadRawValue(path).value_or(defaultValue);
}

void TCustomAppIniStorage::DoWriteString(const ValuePath& path, const std::string& value) {
    WriteRawValue(path, value);
}

std::vector<std::uint8_t> TCustomAppIniStorage::DoReadBinary(const ValuePath& path, std::size_t maxBytes) {
    const std::optional<std::string> stored = ReadRawValue(path);
    if (!stored) return {};
    return HexPairsToBytes(*stored, maxBytes);
}

}  // namespace velora::settings
