#include "i18n/Translator.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "i18n/XmlValueDecoding.h"
#include "text/Numbers.h"
#include "text/Text.h"
#include "component/ClassInfo.h"
#include "component/Collection.h"
#include "component/Errors.h"
#include "component/ShortCut.h"
#include "component/Strings.h"

namespace velora::i18n {

namespace {

using component::PropertyKind;

// Sub-objects nest only as deep as the objects do; this bound keeps a
// property that leads back to its own object from following a deeply nested
// file down the call stack.
constexpr std::size_t kMaxNesting = 64;

enum class ValueSource { Attribute, ElementText };

bool IsElement(const TSimpleXMLElem& node) { return node.Is(TSimpleXMLElemKind::Classic); }

// The object as the class it names, when that class is in its chain.
template <class T>
T* AsClass(component::TPersistent* object, std::string_view className) {
    return component::HasClassInChain(object, className) ? dynamic_cast<T*>(object) : nullptr;
}

// The kinds an attribute can set.
bool TakesAttribute(PropertyKind kind) {
    return kind == PropertyKind::Integer || kind == PropertyKind::Enumeration || kind == PropertyKind::String ||
           kind == PropertyKind::WideString || kind == PropertyKind::Set;
}

// The kinds a child element of a sub-object can set (class-typed ones nest).
bool TakesElement(PropertyKind kind) {
    return kind == PropertyKind::Integer || kind == PropertyKind::Enumeration || kind == PropertyKind::String ||
           kind == PropertyKind::Set || kind == PropertyKind::Class;
}

// Language files write a line break as "\n"; only the first one becomes
// CR LF, later ones stay as written.
std::string WithFirstLineBreak(std::string_view value) {
    std::string result(value);
    if (const auto pos = result.find("\\n"); pos != std::string::npos) result.replace(pos, 2, "\r\n");
    return result;
}

// A number too large for 32 bits keeps its low 32 bits; no number gives -1.
std::int32_t LowBits32(std::string_view value) {
    const auto number = static_cast<std::uint64_t>(XmlIntValue(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(number & 0xFFFFFFFFu));
}

// Windows-1252 to UTF-16: bytes 0x80..0x9F carry their own characters, the
// rest equal their code points.
std::wstring WidenAnsi(std::string_view value) {
    static constexpr char16_t kHighControls[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::wstring result;
    result.reserve(value.size());
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        result.push_back(static_cast<wchar_t>(byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : byte));
    }
    return result;
}

// Converts a language-file text by the property's kind and sets it. Values
// that cannot be converted are not stored; a refused value throws.
void SetFromText(component::TPersistent& object, const component::PropertyInfo& property, const std::string& value,
                 ValueSource source) {
    switch (property.Kind()) {
        case PropertyKind::Integer:
            // Menus write shortcuts as text ("Ctrl+S"); only attributes do.
            if (source == ValueSource::Attribute && property.Name() == "ShortCut")
                property.SetInteger(object, static_cast<std::int32_t>(component::TextToShortCut(value)));
            else
                property.SetInteger(object, LowBits32(value));
            return;
        case PropertyKind::Enumeration: {
            if (const auto number = text::ParseInt64(value)) {
                // Out of the type's range: the setter refuses it.
                if (*number >= std::numeric_limits<int>::min() && *number <= std::numeric_limits<int>::max())
                    property.SetOrdinal(object, static_cast<int>(*number));
                return;
            }
            // A name the type does not know leaves the property as it is.
            if (const component::EnumType* type = property.TypeOfEnumeration())
                if (const auto ordinal = type->OrdinalOf(value)) property.SetOrdinal(object, *ordinal);
            return;
        }
        case PropertyKind::String:
            property.SetString(object, WithFirstLineBreak(value));
            return;
        case PropertyKind::WideString:
            if (source == ValueSource::Attribute) property.SetWideString(object, WidenAnsi(WithFirstLineBreak(value)));
            return;
        case PropertyKind::Set:
            if (const component::SetType* type = property.TypeOfSet()) property.SetSet(object, type->FromText(value));
            return;
        default:
            return;  // class-typed values nest; other kinds are never set from text
    }
}

// Counts one level of sub-object nesting for as long as it lives.
class NestingLevel {
public:
    explicit NestingLevel(std::size_t& depth) : depth_(depth) { ++depth_; }
    ~NestingLevel() { --depth_; }
    NestingLevel(const NestingLevel&) = delete;
    NestingLevel& operator=(const NestingLevel&) = delete;
    bool TooDeep() const { return depth_ > kMaxNesting; }

private:
    std::size_t& depth_;
};

[[noreturn]] void ThrowBadIndex(std::int64_t index) {
    throw component::ListError("List index out of bounds (" + std::to_string(index) + ")");
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
    return text::AnsiUpperCase(a) < text::AnsiUpperCase(b);
}

}  // namespace

const component::ClassInfo& TTranslator::StaticClass() {
    static const component::ClassInfo info{"TTranslator", &component::TComponent::StaticClass(), {}};
    return info;
}

TTranslator::TTranslator(component::TComponent* owner, const platform::FileSystem& fileSystem)
    : component::TComponent(owner), document_(fileSystem) {
    ExcludeProperty(component::TComponent::StaticClass(), "Name");
}

TTranslator::~TTranslator() = default;

void TTranslator::ApplyLanguageFile(const std::string& fileName) noexcept {
    try {
        document_.LoadFromFile(fileName);
        if (!FormsToTranslate) return;
        // By index: the list is read afresh for every form.
        for (std::size_t i = 0;; ++i) {
            const std::vector<component::TComponent*> forms = FormsToTranslate();
            if (i >= forms.size()) break;
            ApplyToForm(*forms[i]);
        }
    } catch (...) {
        // A missing or malformed file: the forms keep the texts they have.
    }
}

void TTranslator::ApplyToForm(component::TComponent& form) {
    const std::string& name = form.Name();
    const std::string baseName = name.substr(0, name.find('_'));
    if (TSimpleXMLElem* element = FindElementDeep(nullptr, baseName)) ApplyToComponent(form, *element);
}

std::string TTranslator::LookupText(std::string_view category, std::string_view key) {
    TSimpleXMLElem* categoryElement = FindElementDeep(nullptr, category);
    if (categoryElement == nullptr) return {};
    const TSimpleXMLElem* item = FindElementDeep(categoryElement, key);
    if (item == nullptr) return {};
    if (!item->Value().empty()) return item->Value();
    return item->PropertyValue("Value", "");
}

std::string TTranslator::LookupAttribute(std::string_view category, std::string_view key,
                                         std::string_view attribute) {
    TSimpleXMLElem* categoryElement = FindElementDeep(nullptr, category);
    if (categoryElement == nullptr) return {};
    const TSimpleXMLElem* item = FindElementDeep(categoryElement, key);
    return item == nullptr ? std::string() : item->PropertyValue(attribute, "");
}

TSimpleXMLElem* TTranslator::FindElementDeep(TSimpleXMLElem* start, std::string_view name) {
    if (start == nullptr) start = &document_.Root();
    // Only elements have names; an empty name would only pick up an unnamed
    // node, which no form, component or key is.
    if (name.empty()) return nullptr;
    if (text::SameText(start->Name(), name)) return start;

    // Pre-order, first match wins. The walk keeps its own stack of (node,
    // next child) so that a deeply nested file cannot exhaust the call stack.
    struct Frame {
        TSimpleXMLElem* node;
        int next;
    };
    std::vector<Frame> pending{{start, 0}};
    while (!pending.empty()) {
        Frame& top = pending.back();
        if (top.next >= top.node->ItemCount()) {
            pending.pop_back();
            continue;
        }
        TSimpleXMLElem& child = top.node->Item(top.next++);
        if (text::SameText(child.Name(), name)) return &child;
        if (child.ItemCount() > 0) pending.push_back({&child, 0});
    }
    return nullptr;
}

void TTranslator::ApplyToComponent(component::TComponent& component, const TSimpleXMLElem& element) {
    try {
        if (!IsExcluded(component, {})) ApplyAttributeValues(&component, element);

        for (int i = 0; i < element.ItemCount(); ++i) {
            const TSimpleXMLElem& child = element.Item(i);
            if (!IsElement(child)) continue;  // text, CDATA and comments name nothing

            // Every component on a form is owned by the form, so components
            // come first; each one guards its own walk.
            if (component::TComponent* owned = component.FindComponent(child.Name())) {
                ApplyToComponent(*owned, child);
                continue;
            }

            const component::PropertyInfo* property = component::FindProperty(component, child.Name());
            if (property == nullptr || property->Kind() != PropertyKind::Class || !property->HasSetter() ||
                IsExcluded(component, child.Name()))
                continue;
            component::TPersistent* object = property->GetObjectValue(component);
            if (object == nullptr) continue;
            // The model has no tree-node or list-item lists, so string lists
            // are the only lists taken line by line.
            if (auto* list = AsClass<component::TStrings>(object, "TStrings")) {
                ApplyStringItems(*list, child);
            } else {
                ApplyAttributeValues(object, child);
                ApplyElementValues(object, child);
            }
        }
    } catch (const std::exception&) {
        // The rest of this component's elements are skipped; what was applied
        // stays, and the owner's walk goes on with its next element.
    }
}

void TTranslator::ApplyAttributeValues(component::TPersistent* object, const TSimpleXMLElem& element) {
    if (object == nullptr) return;
    for (int i = 0; i < element.PropertyCount(); ++i) {
        try {
            const TSimpleXMLProp& attribute = element.Property(i);
            const component::PropertyInfo* property = component::FindProperty(*object, attribute.Name());
            if (property == nullptr || !TakesAttribute(property->Kind()) || !property->HasSetter() ||
                IsExcluded(*object, attribute.Name()))
                continue;
            SetFromText(*object, *property, attribute.Value(), ValueSource::Attribute);
        } catch (const std::exception&) {
            // Only this attribute is lost.
        }
    }
}

void TTranslator::ApplyElementValues(component::TPersistent* object, const TSimpleXMLElem& element) {
    if (object == nullptr) return;
    const NestingLevel level(nesting_);
    if (level.TooDeep()) return;

    if (auto* collection = AsClass<component::TCollection>(object, "TCollection")) {
        ApplyCollectionItems(*collection, element);
        return;
    }
    for (int i = 0; i < element.ItemCount(); ++i) {
        const TSimpleXMLElem& child = element.Item(i);
        if (!IsElement(child)) continue;
        try {
            const component::PropertyInfo* property = component::FindProperty(*object, child.Name());
            if (property == nullptr || !TakesElement(property->Kind()) || !property->HasSetter() ||
                IsExcluded(*object, child.Name()))
                continue;
            if (property->Kind() == PropertyKind::Class) {
                component::TPersistent* subObject = property->GetObjectValue(*object);
                ApplyAttributeValues(subObject, child);
                ApplyElementValues(subObject, child);
            } else {
                SetFromText(*object, *property, child.Value(), ValueSource::ElementText);
            }
        } catch (const std::exception&) {
            // Only this child element is lost.
        }
    }
}

void TTranslator::ApplyStringItems(component::TStrings& list, const TSimpleXMLElem& element) {
    if (element.ItemCount() > 0 && element.Item(0).Is(TSimpleXMLElemKind::CData)) {
        list.SetText(element.Item(0).Value());
        return;
    }
    for (int i = 0; i < element.ItemCount(); ++i) {
        const TSimpleXMLElem& item = element.Item(i);
        // No "Index": nothing to change; not a number: -1, which fails below.
        const std::int64_t index = item.PropertyIntValue("Index", std::numeric_limits<std::int32_t>::max());
        if (index >= list.Count()) continue;
        if (index < 0) ThrowBadIndex(index);
        list.Put(static_cast<int>(index), item.PropertyValue("Value", ""));
    }
}

void TTranslator::ApplyCollectionItems(component::TCollection& collection, const TSimpleXMLElem& element) {
    for (int i = 0; i < element.ItemCount(); ++i) {
        const TSimpleXMLElem& itemElement = element.Item(i);
        const std::int64_t index = itemElement.PropertyIntValue("Index", -1);
        if (index == -1 || index >= collection.Count()) continue;
        if (index < 0) ThrowBadIndex(index);
        component::TCollectionItem& item = collection.Items(static_cast<int>(index));
        ApplyAttributeValues(&item, itemElement);
        ApplyElementValues(&item, itemElement);
    }
}

void TTranslator::ExcludeProperty(const component::ClassInfo& classInfo, std::string_view propertyName) {
    for (Exclusion& entry : exclusionList_) {
        if (entry.classInfo != &classInfo) continue;
        if (propertyName.empty()) {
            entry.names.clear();  // the whole class from now on
        } else if (!entry.names.empty()) {  // a class-wide entry stays class-wide
            auto& names = entry.names;
            const auto at = std::lower_bound(names.begin(), names.end(), propertyName, LessIgnoringCase);
            if (at == names.end() || !text::SameText(*at, propertyName)) names.emplace(at, propertyName);
        }
        return;
    }
    Exclusion entry{&classInfo, {}};
    if (!propertyName.empty()) entry.names.emplace_back(propertyName);
    exclusionList_.push_back(std::move(entry));
}

bool TTranslator::IsExcluded(const component::ClassInfo& classInfo, std::string_view propertyName) {
    for (auto entry = exclusionList_.begin(); entry != exclusionList_.end(); ++entry) {
        if (!classInfo.InheritsFrom(*entry->classInfo)) continue;
        if (propertyName.empty()) {
            if (entry->names.empty()) {
                // Repeated tests for the same class stop at the first entry.
                std::rotate(exclusionList_.begin(), entry, entry + 1);
                return true;
            }
        } else if (std::binary_search(entry->names.begin(), entry->names.end(), propertyName, LessIgnoringCase)) {
            return true;
        }
    }
    return false;
}

bool TTranslator::IsExcluded(const component::TPersistent& object, std::string_view propertyName) {
    return IsExcluded(object.Class(), propertyName);
}

}  // namespace velora::i18n
