#pragma once
// Collections: an ordered list of items of one class, each item an object
// with published properties of its own (the columns of a list, say). A
// language file changes an item's properties by its index.

#include <functional>
#include <memory>
#include <vector>

#include "component/ClassInfo.h"
#include "component/Persistent.h"

namespace velora::component {

class TCollection;

class TCollectionItem : public TPersistent {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TCollection* Collection() const { return collection_; }
    // Position in the collection; -1 outside one.
    int Index() const;

protected:
    // Item classes call this from their setters: the collection reports it.
    void Changed();

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
};

class TCollection : public TPersistent {
public:
    using ItemFactory = std::function<std::unique_ptr<TCollectionItem>()>;
    // `newItem` makes one item of the collection's item class.
    explicit TCollection(ItemFactory newItem);
    ~TCollection() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    int Count() const { return static_cast<int>(items_.size()); }
    // Throws ListError outside 0 .. Count()-1.
    TCollectionItem& Items(int index) const;
    TCollectionItem& Add();
    void Delete(int index);
    void Clear();
    int IndexOf(const TCollectionItem& item) const;

    // Called after an item was added, deleted or changed.
    std::function<void()> OnChange;

private:
    friend class TCollectionItem;
    void Changed();

    ItemFactory newItem_;
    std::vector<std::unique_ptr<TCollectionItem>> items_;
};

}  // namespace velora::component
