#include "controls/RadioGroup.h"

#include <algorithm>

namespace velora::controls {

const component::ClassInfo& TRadioGroup::StaticClass() {
    static const component::ClassInfo info{"TRadioGroup", &TWinControl::StaticClass(), {
        component::Prop::String("Caption", &TRadioGroup::Caption, &TRadioGroup::SetCaption),
        component::Prop::Object("Items", &TRadioGroup::Items, &TRadioGroup::SetItems),
        component::Prop::Integer("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex),
        component::Prop::Integer("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns),
    }};
    return info;
}

TRadioGroup::TRadioGroup(component::TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<component::TStringList>()) {
    items_->OnChange = [this] { ItemsChanged(); };
    InitSize(185, 105);
    InitTabStop(true);
}

void TRadioGroup::SetItemIndex(int index) {
    index = std::clamp(index, -1, items_->Count() - 1);
    if (index == itemIndex_) return;
    itemIndex_ = index;
    Changed("ItemIndex");
    TWinControl::Click();
}

void TRadioGroup::SetColumns(int columns) { ChangeValue(columns_, std::max(columns, 1), "Columns"); }

void TRadioGroup::ItemsChanged() {
    Changed("Items");
    if (itemIndex_ >= items_->Count()) ChangeValue(itemIndex_, items_->Count() - 1, "ItemIndex");
}

}  // namespace velora::controls
