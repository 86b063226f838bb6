#pragma once
// A captioned group of radio buttons, one per line of Items; at most one is
// selected. Every change of the selection, the user's or the program's, runs
// OnClick.

#include <memory>

#include "controls/Control.h"
#include "component/Strings.h"

namespace velora::controls {

class TRadioGroup : public TWinControl {
public:
    explicit TRadioGroup(component::TComponent* owner);

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    // One getter only, so that the property can name it.
    component::TStrings& Items() const { return *items_; }
    void SetItems(const component::TStrings& items) { items_->Assign(items); }
    // The selected button; -1 for none. A value below -1 selects none, one
    // past the last button selects the last. When the items shrink below the
    // selection it moves to the last one, without OnClick.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    void SetColumns(int columns);

private:
    void ItemsChanged();

    std::unique_ptr<component::TStringList> items_;
    int itemIndex_ = -1;
    int columns_ = 1;
};

}  // namespace velora::controls
