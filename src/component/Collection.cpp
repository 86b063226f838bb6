#include "component/Collection.h"

#include <string>

#include "component/Errors.h"

namespace velora::component {

const ClassInfo& TCollectionItem::StaticClass() {
    static const ClassInfo info{"TCollectionItem", &TPersistent::StaticClass(), {}};
    return info;
}

int TCollectionItem::Index() const { return collection_ ? collection_->IndexOf(*this) : -1; }

void TCollectionItem::Changed() {
    if (collection_ != nullptr) collection_->Changed();
}

const ClassInfo& TCollection::StaticClass() {
    static const ClassInfo info{"TCollection", &TPersistent::StaticClass(), {}};
    return info;
}

TCollection::TCollection(ItemFactory newItem) : newItem_(std::move(newItem)) {}

TCollection::~TCollection() = default;

TCollectionItem& TCollection::Items(int index) const {
    if (index < 0 || index >= Count())
        throw ListError("List index out of bounds (" + std::to_string(index) + ")");
    return *items_[static_cast<size_t>(index)];
}

TCollectionItem& TCollection::Add() {
    std::unique_ptr<TCollectionItem> item = newItem_();
    item->collection_ = this;
    items_.push_back(std::move(item));
    Changed();
    return *items_.back();
}

void TCollection::Delete(int index) {
    Items(index);  // range check
    items_.erase(items_.begin() + index);
    Changed();
}

void TCollection::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

int TCollection::IndexOf(const TCollectionItem& item) const {
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<size_t>(i)].get() == &item) return i;
    return -1;
}

void TCollection::Changed() {
    if (OnChange) OnChange();
}

}  // namespace velora::component
