#include "i18n/SimpleXml.h"

#include "i18n/SimpleXmlParser.h"
#include "platform/FileSystem.h"

namespace velora::i18n {

namespace {

std::string OpenErrorText(const std::string& fileName, const platform::FileSystem* fileSystem) {
    const bool exists = fileSystem && fileSystem->FileExists(fileName);
    const char* reason = exists ? "The process cannot access the file because it is being used by another process."
                                : "The system cannot find the file specified.";
    return "Cannot open file \"" + fileName + "\". " + reason;
}

}  // namespace

TSimpleXML::TSimpleXML() = default;

TSimpleXML::TSimpleXML(const platform::FileSystem& fileSystem) : fileSystem_(&fileSystem) {}

void TSimpleXML::SetFileName(const std::string& fileName) {
    fileName_ = fileName;
    LoadFromFile(fileName);
}

void TSimpleXML::LoadFromFile(const std::string& fileName) {
    std::optional<std::string> bytes;
    if (fileSystem_) bytes = fileSystem_->ReadFile(fileName);
    if (!bytes) throw EFOpenError(OpenErrorText(fileName, fileSystem_));
    LoadFromString(*bytes);
}

void TSimpleXML::LoadFromString(std::string_view bytes) {
    root_.Items().Clear();
    root_.Properties().Clear();
    prolog_.Clear();
    ParseSimpleXml(bytes, *this);
}

}  // namespace velora::i18n
