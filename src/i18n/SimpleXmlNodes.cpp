#include "i18n/SimpleXmlNodes.h"

#include <stdexcept>
#include <utility>

#include "i18n/SimpleXml.h"
#include "i18n/XmlValueDecoding.h"
#include "text/Text.h"

namespace velora::i18n {

namespace {

bool AutoCreates(const TSimpleXMLElem* owner) {
    return owner && owner->Document() && owner->Document()->Options().Contains(sxoAutoCreate);
}

void CheckIndex(int index, int count) {
    if (index < 0 || index >= count) throw std::out_of_range("list index out of bounds");
}

}  // namespace

// Only the list classes below use this, so it is defined here.
template <typename List, typename NameOf>
std::ptrdiff_t NameIndex::Find(const List& list, std::string_view name, NameOf nameOf) const {
    if (!valid_) {
        positions_.clear();
        // Later entries overwrite earlier ones: a lookup finds the last.
        for (std::size_t i = 0; i < list.size(); ++i) positions_[text::AnsiUpperCase(nameOf(*list[i]))] = i;
        valid_ = true;
    }
    const auto hit = positions_.find(text::AnsiUpperCase(name));
    return hit == positions_.end() ? -1 : static_cast<std::ptrdiff_t>(hit->second);
}

// --- attributes ---

TSimpleXMLProp::TSimpleXMLProp(TSimpleXMLElem* parent, std::string name, std::string value, std::string prefix)
    : parent_(parent), name_(std::move(name)), value_(std::move(value)), prefix_(std::move(prefix)) {}

std::int64_t TSimpleXMLProp::IntValue() const { return XmlIntValue(value_); }

const TSimpleXMLProp* TSimpleXMLProps::Find(std::string_view name) const {
    const auto at = index_.Find(items_, name, [](const TSimpleXMLProp& p) -> const std::string& { return p.Name(); });
    return at < 0 ? nullptr : items_[static_cast<std::size_t>(at)].get();
}

TSimpleXMLProp* TSimpleXMLProps::ItemNamed(std::string_view name) {
    if (const TSimpleXMLProp* found = Find(name)) return const_cast<TSimpleXMLProp*>(found);
    if (AutoCreates(owner_)) return &Add(std::string(name), {});
    return nullptr;
}

std::string TSimpleXMLProps::Value(std::string_view name, std::string_view defaultValue) const {
    const TSimpleXMLProp* found = Find(name);
    return found ? found->Value() : std::string(defaultValue);
}

std::int64_t TSimpleXMLProps::IntValue(std::string_view name, std::int64_t defaultValue) const {
    const TSimpleXMLProp* found = Find(name);
    return found ? found->IntValue() : defaultValue;
}

TSimpleXMLProp& TSimpleXMLProps::Add(std::string name, std::string value, std::string prefix) {
    items_.push_back(std::make_unique<TSimpleXMLProp>(owner_, std::move(name), std::move(value), std::move(prefix)));
    index_.Invalidate();
    return *items_.back();
}

void TSimpleXMLProps::Delete(int index) {
    CheckIndex(index, Count());
    items_.erase(items_.begin() + index);
    index_.Invalidate();
}

void TSimpleXMLProps::Clear() {
    items_.clear();
    index_.Invalidate();
}

// --- children ---

const TSimpleXMLElem* TSimpleXMLElems::Find(std::string_view name) const {
    const auto at = index_.Find(items_, name, [](const TSimpleXMLElem& e) -> const std::string& { return e.Name(); });
    return at < 0 ? nullptr : items_[static_cast<std::size_t>(at)].get();
}

TSimpleXMLElem* TSimpleXMLElems::ItemNamed(std::string_view name) {
    if (const TSimpleXMLElem* found = Find(name)) return const_cast<TSimpleXMLElem*>(found);
    if (AutoCreates(owner_)) {
        auto created = std::make_unique<TSimpleXMLElemClassic>(owner_, owner_->Document());
        created->SetName(std::string(name));
        return &Add(std::move(created));
    }
    return nullptr;
}

TSimpleXMLElem& TSimpleXMLElems::Add(std::unique_ptr<TSimpleXMLElem> node) {
    items_.push_back(std::move(node));
    index_.Invalidate();
    return *items_.back();
}

void TSimpleXMLElems::Delete(int index) {
    CheckIndex(index, Count());
    items_.erase(items_.begin() + index);
    index_.Invalidate();
}

void TSimpleXMLElems::Clear() {
    // Moved out first so that the subtrees are torn down without recursion.
    auto doomed = TakeAll();
}

std::vector<std::unique_ptr<TSimpleXMLElem>> TSimpleXMLElems::TakeAll() {
    index_.Invalidate();
    return std::exchange(items_, {});
}

// --- nodes ---

TSimpleXMLElem::TSimpleXMLElem(TSimpleXMLElem* parent, TSimpleXML* document)
    : parent_(parent), document_(document) {}

TSimpleXMLElem::~TSimpleXMLElem() {
    // A deeply nested file must not exhaust the stack when its tree goes, so
    // the descendants are flattened into a work list and freed one by one,
    // each with no children left of its own.
    if (!items_) return;
    std::vector<std::unique_ptr<TSimpleXMLElem>> pending = items_->TakeAll();
    while (!pending.empty()) {
        std::unique_ptr<TSimpleXMLElem> node = std::move(pending.back());
        pending.pop_back();
        if (node->items_) {
            for (auto& child : node->items_->TakeAll()) pending.push_back(std::move(child));
        }
    }
}

std::string TSimpleXMLElem::FullName() const {
    return prefix_.empty() ? name_ : prefix_ + ":" + name_;
}

std::int64_t TSimpleXMLElem::IntValue() const { return XmlIntValue(value_); }

TSimpleXMLElems& TSimpleXMLElem::Items() {
    if (!items_) items_ = std::make_unique<TSimpleXMLElems>(this);
    return *items_;
}

TSimpleXMLProps& TSimpleXMLElem::Properties() {
    if (!props_) props_ = std::make_unique<TSimpleXMLProps>(this);
    return *props_;
}

TSimpleXMLElem& TSimpleXMLElem::Item(int index) const {
    if (!items_) throw std::out_of_range("node has no children");
    return items_->Item(index);
}

TSimpleXMLProp& TSimpleXMLElem::Property(int index) const {
    if (!props_) throw std::out_of_range("node has no attributes");
    return props_->Item(index);
}

std::string TSimpleXMLElem::PropertyValue(std::string_view name, std::string_view defaultValue) const {
    return props_ ? props_->Value(name, defaultValue) : std::string(defaultValue);
}

std::int64_t TSimpleXMLElem::PropertyIntValue(std::string_view name, std::int64_t defaultValue) const {
    return props_ ? props_->IntValue(name, defaultValue) : defaultValue;
}

// --- prolog ---

TSimpleXMLElem& TSimpleXMLElemsProlog::Add(std::unique_ptr<TSimpleXMLElem> node) {
    items_.push_back(std::move(node));
    return *items_.back();
}

}  // namespace velora::i18n
