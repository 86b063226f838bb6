#pragma once
// The settings store's typed access to values named by settings paths
// ("section\key"). Every typed operation is built on a few primitives that a
// concrete store implements over its medium.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/DateTimeText.h"
#include "settings/StorageErrors.h"
#include "settings/StoragePath.h"

namespace velora::platform {
class RegionalSettings;
}

namespace velora::settings {

// How values are turned into text and back.
class TCustomAppStorageOptions {
public:
    virtual ~TCustomAppStorageOptions() = default;

    // Entries separated by commas and blanks, matched without regard to case;
    // the first entry is the one written.
    const std::string& BooleanStringTrueValues() const { return trueValues_; }
    void SetBooleanStringTrueValues(std::string values);
    const std::string& BooleanStringFalseValues() const { return falseValues_; }
    void SetBooleanStringFalseValues(std::string values);

    // Booleans written as text; stays on only while both lists have an entry
    // (otherwise they are written as 1 and 0).
    bool BooleanAsString() const { return booleanAsString_; }
    void SetBooleanAsString(bool value);

    // A stored text that does not convert yields the caller's default instead
    // of raising EConvertError.
    bool DefaultIfReadConvertError() const { return defaultIfReadConvertError_; }
    void SetDefaultIfReadConvertError(bool value) { defaultIfReadConvertError_ = value; }

    // The text written for a boolean.
    std::string BooleanText(bool value) const;
    // True or false when the text is an entry of one of the lists.
    std::optional<bool> BooleanFromText(std::string_view text) const;

private:
    std::string trueValues_ = "TRUE, YES, Y";
    std::string falseValues_ = "FALSE, NO, N";
    bool booleanAsString_ = true;
    bool defaultIfReadConvertError_ = false;
};

class TAppStorageOptions : public TCustomAppStorageOptions {};

// The INI store writes values verbatim: no quotes, no escaped line breaks.
class TAppIniStorageOptions : public TAppStorageOptions {};

class TCustomAppStorage {
public:
    TCustomAppStorage(const platform::RegionalSettings& regionalSettings,
                      std::unique_ptr<TCustomAppStorageOptions> options);
    virtual ~TCustomAppStorage();
    TCustomAppStorage(const TCustomAppStorage&) = delete;
    TCustomAppStorage& operator=(const TCustomAppStorage&) = delete;

    // Reads give the default when no value is stored at the path; a stored
    // text that does not convert raises EConvertError. A path whose section
    // stays undefined raises EAppStorageError. Writes and removals are skipped
    // while the store is read-only, and a write of the text already stored
    // changes nothing and writes no file.
    std::string GetString(std::string_view path, const std::string& defaultValue);
    void PutString(std::string_view path, const std::string& value);
    std::int32_t GetInteger(std::string_view path, std::int32_t defaultValue);
    void PutInteger(std::string_view path, std::int32_t value);
    // The lists' entries, else an integer: 0 is false, anything else true.
    bool GetBoolean(std::string_view path, bool defaultValue);
    void PutBoolean(std::string_view path, bool value);
    // The regional date and time, else the raw bytes of an extended value.
    TDateTime GetDateTime(std::string_view path, TDateTime defaultValue);
    void PutDateTime(std::string_view path, TDateTime value);
    // Reads path\Count and path\<itemName>0 ... ; the list stays as it is when
    // no count is stored. Returns the count.
    int GetStringList(std::string_view path, std::vector<std::string>& list, bool clearFirst = true,
                      std::string_view itemName = "Item");

    bool HasValue(std::string_view path);
    // Whether the path (a leading backslash removed) names a section holding
    // at least one line.
    bool HasSection(std::string_view path);
    // Removes the value, or else the sub-section of that name.
    void RemoveValue(std::string_view path);
    // Removes every section whose name begins with the normalised path.
    void RemoveTree(std::string_view path);

    virtual void Reload() = 0;
    virtual void Flush() = 0;

    TCustomAppStorageOptions& StorageOptions() { return *options_; }
    const TCustomAppStorageOptions& StorageOptions() const { return *options_; }

    // Re-read before every access / write after every change.
    bool AutoReload() const { return autoReload_; }
    void SetAutoReload(bool value) { autoReload_ = value; }
    bool AutoFlush() const { return autoFlush_; }
    void SetAutoFlush(bool value) { autoFlush_ = value; }
    bool FlushOnDestroy() const { return flushOnDestroy_; }
    void SetFlushOnDestroy(bool value) { flushOnDestroy_ = value; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    // The store as its operations see it; a file store adds the file's state.
    virtual bool IsReadOnly() const { return readOnly_; }

    // While updates are open, no automatic reload or flush happens.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate() {
        if (updateCount_ > 0) --updateCount_;
    }
    int UpdateCount() const { return updateCount_; }

protected:
    virtual bool ReloadDue() const { return autoReload_; }
    void ReloadFirst();
    void FlushAfter();
    // For the destructor of the concrete store: an exit must never fail.
    void FlushOnDestroyQuietly() noexcept;

    // The primitives, in terms of a path split into section and key.
    virtual ValuePath SplitKeyPath(std::string_view path) const = 0;
    virtual bool SectionExists(std::string_view section) = 0;
    virtual bool ValueExists(const ValuePath& path) = 0;
    // Removes the value or, failing that, the sub-section; false if neither existed.
    virtual bool DeleteValue(const ValuePath& path) = 0;
    virtual void DeleteSubTree(std::string_view normalizedPath) = 0;
    virtual std::int32_t DoReadInteger(const ValuePath& path, std::int32_t defaultValue) = 0;
    virtual void DoWriteInteger(const ValuePath& path, std::int32_t value) = 0;
    virtual std::string DoReadString(const ValuePath& path, const std::string& defaultValue) = 0;
    virtual void DoWriteString(const ValuePath& path, const std::string& value) = 0;
    virtual std::vector<std::uint8_t> DoReadBinary(const ValuePath& path, std::size_t maxBytes) = 0;

    // A floating-point value stored as the 10 bytes of an extended number.
    double DoReadFloat(const ValuePath& path, double defaultValue);

private:
    // Whether the value at the path reads as `text` already: writing it again
    // would change nothing, and the file is not rewritten for it.
    bool Holds(const ValuePath& path, const std::string& text);
    template <typename T, typename Read>
    T ReadTyped(std::string_view path, T defaultValue, Read read);

    const platform::RegionalSettings& regionalSettings_;
    std::unique_ptr<TCustomAppStorageOptions> options_;
    bool autoReload_ = false;
    bool autoFlush_ = false;
    bool flushOnDestroy_ = true;
    bool readOnly_ = false;
    int updateCount_ = 0;
};

}  // namespace velora::settings
