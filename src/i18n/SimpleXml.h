#pragma once
// The program's own XML reader: a single-pass, byte-oriented parser that
// turns a language file into a tree of nodes. It applies no character set;
// every byte is one character of the ANSI code page. Malformed input raises
// ESimpleXMLError; whatever was complete before the fault stays in the tree.

#include <stdexcept>
#include <string>
#include <string_view>

#include "i18n/SimpleXmlError.h"
#include "i18n/SimpleXmlNodes.h"
#include "i18n/SimpleXmlOptions.h"

namespace velora::platform {
class FileSystem;
}

namespace velora::i18n {

// A file that cannot be opened: "Cannot open file "<name>". <system text>".
class EFOpenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TSimpleXML {
public:
    // Without a file system only LoadFromString can fill the document;
    // LoadFromFile then fails as for a missing file.
    TSimpleXML();
    explicit TSimpleXML(const platform::FileSystem& fileSystem);
    TSimpleXML(const TSimpleXML&) = delete;
    TSimpleXML& operator=(const TSimpleXML&) = delete;

    // Always present; after a load, the file's first element.
    TSimpleXMLElemClassic& Root() { return root_; }
    const TSimpleXMLElemClassic& Root() const { return root_; }
    // The declaration, comments, stylesheet and document type before the root.
    TSimpleXMLElemsProlog& Prolog() { return prolog_; }
    const TSimpleXMLElemsProlog& Prolog() const { return prolog_; }

    TSimpleXMLOptions& Options() { return options_; }
    const TSimpleXMLOptions& Options() const { return options_; }

    const std::string& FileName() const { return fileName_; }
    // Remembers the name and loads that file.
    void SetFileName(const std::string& fileName);

    // Replaces the content with the file's. A file that cannot be opened
    // raises EFOpenError and leaves the document as it was.
    void LoadFromFile(const std::string& fileName);
    // Empties the root's children and attributes and the prolog, then parses.
    // Throws ESimpleXMLError on malformed input.
    void LoadFromString(std::string_view bytes);

private:
    const platform::FileSystem* fileSystem_ = nullptr;
    TSimpleXMLOptions options_ = TSimpleXMLOptions::Default();
    std::string fileName_;
    TSimpleXMLElemsProlog prolog_;
    TSimpleXMLElemClassic root_{nullptr, this};
};

}  // namespace velora::i18n
