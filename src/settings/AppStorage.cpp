#include "settings/AppStorage.h"

#include <algorithm>
#include <array>

#include "platform/RegionalSettings.h"
#include "settings/ValueConversion.h"
#include "text/Text.h"

namespace velora::settings {

namespace {
std::vector<std::string> BooleanEntries(std::string_view list) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find_first_of(", ", start);
        if (end == std::string_view::npos) end = list.size();
        if (end > start) entries.emplace_back(list.substr(start, end - start));
        start = end + 1;
    }
    return entries;
}

bool ContainsText(const std::vector<std::string>& entries, std::string_view text) {
    return std::any_of(entries.begin(), entries.end(),
                       [text](const std::string& entry) { return text::SameText(entry, text); });
}

// A damaged count must not make the store read (and hold) items without end.
constexpr int kMaxListItems = 100'000;
}  // namespace

// ---- Options -------------------------------------------------------------------

void TCustomAppStorageOptions::SetBooleanStringTrueValues(std::string values) {
    trueValues_ = std::move(values);
    SetBooleanAsString(booleanAsString_);
}

void TCustomAppStorageOptions::SetBooleanStringFalseValues(std::string values) {
    falseValues_ = std::move(values);
    SetBooleanAsString(booleanAsString_);
}

void TCustomAppStorageOptions::SetBooleanAsString(bool value) {
    booleanAsString_ = value && !BooleanEntries(trueValues_).empty() && !BooleanEntries(falseValues_).empty();
}

std::string TCustomAppStorageOptions::BooleanText(bool value) const {
    if (!booleanAsString_) return value ? "1" : "0";
    return BooleanEntries(value ? trueValues_ : falseValues_).front();
}

std::optional<bool> TCustomAppStorageOptions::BooleanFromText(std::string_view text) const {
    if (ContainsText(BooleanEntries(trueValues_), text)) return true;
    if (ContainsText(BooleanEntries(falseValues_), text)) return false;
    return std::nullopt;
}

// ---- Store ----------------------------------------------------------------------

TCustomAppStorage::TCustomAppStorage(const platform::RegionalSettings& regionalSettings,
                                     std::unique_ptr<TCustomAppStorageOptions> options)
    : regionalSettings_(regionalSettings), options_(std::move(options)) {}

TCustomAppStorage::~TCustomAppStorage() = default;

void TCustomAppStorage::ReloadFirst() {
    if (updateCount_ == 0 && ReloadDue()) Reload();
}

void TCustomAppStorage::FlushAfter() {
    if (updateCount_ == 0 && autoFlush_) Flush();
}

void TCustomAppStorage::FlushOnDestroyQuietly() noexcept {
    if (!flushOnDestroy_) return;
    try {
        Flush();
    } catch (...) {
        // Nobody is left to tell; the program ends regardless.
    }
}

template <typename T, typename Read>
T TCustomAppStorage::ReadTyped(std::string_view path, T defaultValue, Read read) {
    const ValuePath valuePath = SplitKeyPath(path);
    ReloadFirst();
    if (!ValueExists(valuePath)) return defaultValue;
    try {
        return read(valuePath);
    } catch (const EConvertError&) {
        if (options_->DefaultIfReadConvertError()) return defaultValue;
        throw;
    }
}

std::string TCustomAppStorage::GetString(std::string_view path, const std::string& defaultValue) {
    return ReadTyped(path, defaultValue, [&](const ValuePath& at) { return DoReadString(at, defaultValue); });
}

bool TCustomAppStorage::Holds(const ValuePath& path, const std::string& text) {
    return ValueExists(path) && DoReadString(path, std::string()) == text;
}

void TCustomAppStorage::PutString(std::string_view path, const std::string& value) {
    if (IsReadOnly()) return;
    const ValuePath valuePath = SplitKeyPath(path);
    ReloadFirst();
    if (Holds(valuePath, value)) return;
    DoWriteString(valuePath, value);
    FlushAfter();
}

std::int32_t TCustomAppStorage::GetInteger(std::string_view path, std::int32_t defaultValue) {
    return ReadTyped(path, defaultValue, [&](const ValuePath& at) { return DoReadInteger(at, defaultValue); });
}

void TCustomAppStorage::PutInteger(std::string_view path, std::int32_t value) {
    if (IsReadOnly()) return;
    const ValuePath valuePath = SplitKeyPath(path);
    ReloadFirst();
    if (Holds(valuePath, std::to_string(value))) return;
    DoWriteInteger(valuePath, value);
    FlushAfter();
}

bool TCustomAppStorage::GetBoolean(std::string_view path, bool defaultValue) {
    return ReadTyped(path, defaultValue, [&](const ValuePath& at) {
        const std::string stored = DoReadString(at, std::string());
        if (const std::optional<bool> listed = options_->BooleanFromText(stored)) return *listed;
        return stored.empty() ? false : StrToInt(stored) != 0;
    });
}

void TCustomAppStorage::PutBoolean(std::string_view path, bool value) {
    if (IsReadOnly()) return;
    const ValuePath valuePath = SplitKeyPath(path);
    const std::string text = options_->BooleanText(value);
    ReloadFirst();
    if (Holds(valuePath, text)) return;
    DoWriteString(valuePath, text);
    FlushAfter();
}

TDateTime TCustomAppStorage::GetDateTime(std::string_view path, TDateTime defaultValue) {
    return ReadTyped(path, defaultValue, [&](const ValuePath& at) {
        const std::string stored = DoReadString(at, std::string());
        if (const std::optional<TDateTime> parsed = TextToDateTime(stored, regionalSettings_.Formats()))
            return *parsed;
        return DoReadFloat(at, defaultValue);
    });
}

void TCustomAppStorage::PutDateTime(std::string_view path, TDateTime value) {
    if (IsReadOnly()) return;
    const ValuePath valuePath = SplitKeyPath(path);
    const std::string text = DateTimeToText(value, regionalSettings_.Formats());
    ReloadFirst();
    if (Holds(valuePath, text)) return;
    DoWriteString(valuePath, text);
    FlushAfter();
}

double TCustomAppStorage::DoReadFloat(const ValuePath& path, double defaultValue) {
    const std::vector<std::uint8_t> bytes = DoReadBinary(path, 10);
    if (bytes.size() != 10) return defaultValue;
    std::array<std::uint8_t, 10> extended{};
    std::copy(bytes.begin(), bytes.end(), extended.begin());
    return ExtendedToDouble(extended);
}

int TCustomAppStorage::GetStringList(std::string_view path, std::vector<std::string>& list, bool clearFirst,
                                     std::string_view itemName) {
    const std::string prefix = std::string(path) + "\\";
    if (!HasValue(prefix + "Count")) return static_cast<int>(list.size());
    if (clearFirst) list.clear();
    const int count = std::min(GetInteger(prefix + "Count", 0), kMaxListItems);
    for (int i = 0; i < count; ++i)
        list.push_back(GetString(prefix + std::string(itemName) + std::to_string(i), std::string()));
    return count;
}

bool TCustomAppStorage::HasValue(std::string_view path) {
    const ValuePath valuePath = SplitKeyPath(path);
    ReloadFirst();
    return ValueExists(valuePath);
}

bool TCustomAppStorage::HasSection(std::string_view path) {
    ReloadFirst();
    if (!path.empty() && path.front() == '\\') path.remove_prefix(1);
    return SectionExists(path);
}

void TCustomAppStorage::RemoveValue(std::string_view path) {
    if (IsReadOnly()) return;
    const ValuePath valuePath = SplitKeyPath(path);
    ReloadFirst();
    if (DeleteValue(valuePath)) FlushAfter();
}

void TCustomAppStorage::RemoveTree(std::string_view path) {
    if (IsReadOnly()) return;
    ReloadFirst();
    DeleteSubTree(NormalizeStoragePath(path));
    FlushAfter();
}

}  // namespace velora::settings
