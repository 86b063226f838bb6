#pragma once
// The translator: holds the parsed language file in force and lays its texts
// over the published properties of the forms and their components; it also
// answers keyed texts ("messages", "countries") by category and key.
//
// A language file names forms, components and properties by element and
// attribute names, compared without regard to letter case. Elements are
// searched depth-first, not addressed by path. Every failure is absorbed:
// what cannot be applied is skipped and the forms keep the texts they have.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/SimpleXml.h"
#include "component/Component.h"

namespace velora::platform {
class FileSystem;
}

namespace velora::component {
class TCollection;
class TStrings;
}  // namespace velora::component

namespace velora::i18n {

class TTranslator : public component::TComponent {
public:
    // The document starts empty and is loaded through `fileSystem`, which must
    // outlive the translator. The exclusion list starts with (TComponent,
    // "Name"): no language file can rename a component.
    TTranslator(component::TComponent* owner, const platform::FileSystem& fileSystem);
    ~TTranslator() override;

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    // The language file in force (empty until a file has been loaded).
    TSimpleXML& Document() { return document_; }
    const TSimpleXML& Document() const { return document_; }

    // Loads the file, then translates every form FormsToTranslate lists, in
    // list order. Never fails: a file that cannot be opened keeps the
    // document in force; a malformed one keeps what was read before the
    // fault; in both cases no form is translated.
    void ApplyLanguageFile(const std::string& fileName) noexcept;

    // The forms a new language file applies to, asked afresh for every form
    // (a form's translation may create another). Without it, none.
    std::function<std::vector<component::TComponent*>()> FormsToTranslate;

    // Translates a form from the element named after its base name (the name
    // up to its first "_", so "formOptions_1" takes "formOptions").
    void ApplyToForm(component::TComponent& form);

    // The text of the element `key` at or below the first element named
    // `category`: its text content, else its attribute "Value"; "" if none.
    std::string LookupText(std::string_view category, std::string_view key);
    // The attribute `attribute` of that element; "" if none. For a text kept
    // beside a component's own (a wording for another system), which
    // ApplyToForm leaves alone.
    std::string LookupAttribute(std::string_view category, std::string_view key, std::string_view attribute);

    // The first element named `name` (case-insensitive) in document order at
    // or below `start` (the document's root when null); null when there is
    // none. An empty name matches nothing.
    virtual TSimpleXMLElem* FindElementDeep(TSimpleXMLElem* start, std::string_view name);

    // Applies the element's attributes to the component, then each child
    // element to the owned component or class-typed property it names. A
    // failure ends this component's walk; what was applied stays.
    virtual void ApplyToComponent(component::TComponent& component, const TSimpleXMLElem& element);

    // Each attribute to the property of its name; a value that cannot be
    // converted or set skips only that attribute. Null object: nothing.
    void ApplyAttributeValues(component::TPersistent* object, const TSimpleXMLElem& element);
    // Each child element to the property of its name (its text, or nested for
    // a class-typed property); a failure skips only that child. A collection
    // takes its items by "Index" instead. Null object: nothing.
    void ApplyElementValues(component::TPersistent* object, const TSimpleXMLElem& element);
    // A first CDATA child replaces the whole list; otherwise each child's
    // "Index" names the line that takes its "Value". A negative or
    // non-numeric "Index" throws (ListError).
    void ApplyStringItems(component::TStrings& list, const TSimpleXMLElem& element);
    // Each child's "Index" names the item that takes its attributes and child
    // elements; an "Index" below -1 throws (ListError).
    void ApplyCollectionItems(component::TCollection& collection, const TSimpleXMLElem& element);

    // Excludes a property of the class and its descendants; an empty name
    // excludes the whole class.
    void ExcludeProperty(const component::ClassInfo& classInfo, std::string_view propertyName);
    // With an empty name: whether the class (or an ancestor) is excluded as a
    // whole. With a name: whether that property is excluded for the class.
    bool IsExcluded(const component::ClassInfo& classInfo, std::string_view propertyName);
    bool IsExcluded(const component::TPersistent& object, std::string_view propertyName);

private:
    struct Exclusion {
        const component::ClassInfo* classInfo;
        std::vector<std::string> names;  // sorted, case-insensitive; empty: the whole class
    };

    TSimpleXML document_;
    std::vector<Exclusion> exclusionList_;
    // How deep sub-object elements are nested right now; see ApplyElementValues.
    std::size_t nesting_ = 0;
};

}  // namespace velora::i18n
