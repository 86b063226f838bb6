#include "ui/controls/RadioGroup.h"

#include <algorithm>

namespace velora::ui {

const ClassInfo& TRadioGroup::StaticClass() {
    static const ClassInfo info{"TRadioGroup", &TWinControl::StaticClass(), {
        Prop::String("Caption", &TRadioGroup::Caption, &TRadioGroup::SetCaption),
        Prop::Object("Items", &TRadioGroup::Items, &TRadioGroup::SetItems),
        Prop::Integer("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex),
        Prop::Integer("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns),
    }};
    return info;
}

TRadioGroup::TRadioGroup(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TStringList>()) {
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

}  // namespace velora::ui
