#pragma once
// The nodes of an XML document: elements with ordered children and ordered
// attributes, text, CDATA, comments and the prolog's declaration, document
// type and stylesheet nodes. Lookups by name ignore letter case (ANSI code
// page) and find the last entry of that name.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velora::i18n {

class TSimpleXML;
class TSimpleXMLElem;

class TSimpleXMLProp {
public:
    TSimpleXMLProp(TSimpleXMLElem* parent, std::string name, std::string value, std::string prefix = {});

    const std::string& Name() const { return name_; }
    const std::string& Value() const { return value_; }
    const std::string& Prefix() const { return prefix_; }
    TSimpleXMLElem* Parent() const { return parent_; }
    void SetValue(std::string value) { value_ = std::move(value); }
    // The value read as a 64-bit decimal integer, -1 when it is not a number.
    std::int64_t IntValue() const;

private:
    TSimpleXMLElem* parent_;
    std::string name_;
    std::string value_;
    std::string prefix_;
};

// Keeps a name -> position table of the last entry per upper-cased name,
// rebuilt on the first lookup after the list changed.
class NameIndex {
public:
    void Invalidate() { valid_ = false; }
    template <typename List, typename NameOf>
    std::ptrdiff_t Find(const List& list, std::string_view name, NameOf nameOf) const;

private:
    mutable std::unordered_map<std::string, std::size_t> positions_;
    mutable bool valid_ = false;
};

class TSimpleXMLProps {
public:
    explicit TSimpleXMLProps(TSimpleXMLElem* owner) : owner_(owner) {}

    int Count() const { return static_cast<int>(items_.size()); }
    // Throws std::out_of_range for a bad index.
    TSimpleXMLProp& Item(int index) const { return *items_.at(static_cast<std::size_t>(index)); }
    // The last attribute of that name; when there is none, nullptr, or a new
    // empty attribute when the document has sxoAutoCreate.
    TSimpleXMLProp* ItemNamed(std::string_view name);
    const TSimpleXMLProp* Find(std::string_view name) const;
    std::string Value(std::string_view name, std::string_view defaultValue = {}) const;
    // Absent: the default; present: its value as a number, -1 when it is none.
    std::int64_t IntValue(std::string_view name, std::int64_t defaultValue = -1) const;

    TSimpleXMLProp& Add(std::string name, std::string value, std::string prefix = {});
    void Delete(int index);
    void Clear();

private:
    TSimpleXMLElem* owner_;
    std::vector<std::unique_ptr<TSimpleXMLProp>> items_;
    NameIndex index_;
};

class TSimpleXMLElems {
public:
    explicit TSimpleXMLElems(TSimpleXMLElem* owner) : owner_(owner) {}

    int Count() const { return static_cast<int>(items_.size()); }
    // Throws std::out_of_range for a bad index.
    TSimpleXMLElem& Item(int index) const { return *items_.at(static_cast<std::size_t>(index)); }
    // The last child of that name; when there is none, nullptr, or a new
    // empty element when the document has sxoAutoCreate.
    TSimpleXMLElem* ItemNamed(std::string_view name);
    const TSimpleXMLElem* Find(std::string_view name) const;

    // Takes the node over as the owner's last child.
    TSimpleXMLElem& Add(std::unique_ptr<TSimpleXMLElem> node);
    void Delete(int index);
    void Clear();

private:
    friend class TSimpleXMLElem;
    std::vector<std::unique_ptr<TSimpleXMLElem>> TakeAll();

    TSimpleXMLElem* owner_;
    std::vector<std::unique_ptr<TSimpleXMLElem>> items_;
    NameIndex index_;
};

enum class TSimpleXMLElemKind { Classic, Text, CData, Comment, Header, DocType, Sheet };

class TSimpleXMLElem {
public:
    TSimpleXMLElem(TSimpleXMLElem* parent, TSimpleXML* document);
    virtual ~TSimpleXMLElem();
    TSimpleXMLElem(const TSimpleXMLElem&) = delete;
    TSimpleXMLElem& operator=(const TSimpleXMLElem&) = delete;

    virtual TSimpleXMLElemKind Kind() const = 0;
    bool Is(TSimpleXMLElemKind kind) const { return Kind() == kind; }

    const std::string& Name() const { return name_; }
    const std::string& Value() const { return value_; }
    const std::string& Prefix() const { return prefix_; }
    // "prefix:name", or the name alone when there is no prefix.
    std::string FullName() const;
    TSimpleXMLElem* Parent() const { return parent_; }
    TSimpleXML* Document() const { return document_; }
    void SetName(std::string name) { name_ = std::move(name); }
    void SetValue(std::string value) { value_ = std::move(value); }
    void SetPrefix(std::string prefix) { prefix_ = std::move(prefix); }
    // The value read as a 64-bit decimal integer, -1 when it is not a number.
    std::int64_t IntValue() const;

    // The lists are created when first asked for.
    TSimpleXMLElems& Items();
    TSimpleXMLProps& Properties();
    int ItemCount() const { return items_ ? items_->Count() : 0; }
    TSimpleXMLElem& Item(int index) const;
    int PropertyCount() const { return props_ ? props_->Count() : 0; }
    TSimpleXMLProp& Property(int index) const;
    std::string PropertyValue(std::string_view name, std::string_view defaultValue = {}) const;
    std::int64_t PropertyIntValue(std::string_view name, std::int64_t defaultValue = -1) const;

private:
    TSimpleXMLElem* parent_;
    TSimpleXML* document_;
    std::string name_;
    std::string value_;
    std::string prefix_;
    std::unique_ptr<TSimpleXMLElems> items_;
    std::unique_ptr<TSimpleXMLProps> props_;
};

// An element: its value is the text of its only child when that child was a
// text node (the child is then dropped), else "".
class TSimpleXMLElemClassic : public TSimpleXMLElem {
public:
    using TSimpleXMLElem::TSimpleXMLElem;
    TSimpleXMLElemKind Kind() const override { return TSimpleXMLElemKind::Classic; }
};

class TSimpleXMLElemText : public TSimpleXMLElem {
public:
    using TSimpleXMLElem::TSimpleXMLElem;
    TSimpleXMLElemKind Kind() const override { return TSimpleXMLElemKind::Text; }
};

class TSimpleXMLElemCData : public TSimpleXMLElem {
public:
    using TSimpleXMLElem::TSimpleXMLElem;
    TSimpleXMLElemKind Kind() const override { return TSimpleXMLElemKind::CData; }
};

class TSimpleXMLElemComment : public TSimpleXMLElem {
public:
    using TSimpleXMLElem::TSimpleXMLElem;
    TSimpleXMLElemKind Kind() const override { return TSimpleXMLElemKind::Comment; }
};

// The XML declaration. Its attributes are moved into these fields when it is
// read, and its attribute list is emptied.
class TSimpleXMLElemHeader : public TSimpleXMLElem {
public:
    using TSimpleXMLElem::TSimpleXMLElem;
    TSimpleXMLElemKind Kind() const override { return TSimpleXMLElemKind::Header; }

    const std::string& Version() const { return version_; }
    const std::string& Encoding() const { return encoding_; }
    bool Standalone() const { return standalone_; }
    void SetVersion(std::string version) { version_ = std::move(version); }
    void SetEncoding(std::string encoding) { encoding_ = std::move(encoding); }
    void SetStandalone(bool standalone) { standalone_ = standalone; }

private:
    std::string version_ = "1.0";
    std::string encoding_ = "iso-8859-1";
    bool standalone_ = false;
};

// The document type: its value is the declaration's body, trimmed.
class TSimpleXMLElemDocType : public TSimpleXMLElem {
public:
    using TSimpleXMLElem::TSimpleXMLElem;
    TSimpleXMLElemKind Kind() const override { return TSimpleXMLElemKind::DocType; }
};

class TSimpleXMLElemSheet : public TSimpleXMLElem {
public:
    using TSimpleXMLElem::TSimpleXMLElem;
    TSimpleXMLElemKind Kind() const override { return TSimpleXMLElemKind::Sheet; }
};

// The nodes before the root element, in document order.
class TSimpleXMLElemsProlog {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // Throws std::out_of_range for a bad index.
    TSimpleXMLElem& Item(int index) const { return *items_.at(static_cast<std::size_t>(index)); }
    TSimpleXMLElem& Add(std::unique_ptr<TSimpleXMLElem> node);
    void Clear() { items_.clear(); }

private:
    std::vector<std::unique_ptr<TSimpleXMLElem>> items_;
};

}  // namespace velora::i18n
