#include "controls/ComboBox.h"

namespace velora::controls {

const component::ClassInfo& TComboBox::StaticClass() {
    static const component::ClassInfo info{"TComboBox", &TWinControl::StaticClass(), {
        component::Prop::Object("Items", &TComboBox::Items, &TComboBox::SetItems),
        component::Prop::Integer("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex),
        component::Prop::Enumeration("Style", ComboBoxStyleType, &TComboBox::Style, &TComboBox::SetStyle),
        component::Prop::Integer("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount),
        component::Prop::Integer("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight),
        component::Prop::Boolean("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted),
    }};
    return info;
}

TComboBox::TComboBox(component::TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<component::TStringList>()) {
    items_->OnChange = [this] { ItemsChanged(); };
    InitSize(145, 21);
    InitTabStop(true);
}

void TComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= items_->Count()) index = -1;
    ChangeValue(itemIndex_, index, "ItemIndex");
}

void TComboBox::SetStyle(TComboBoxStyle style) { ChangeValue(style_, style, "Style"); }
void TComboBox::SetDropDownCount(int count) { ChangeValue(dropDownCount_, count, "DropDownCount"); }
void TComboBox::SetItemHeight(int height) { ChangeValue(itemHeight_, height, "ItemHeight"); }

void TComboBox::SetSorted(bool sorted) {
    if (sorted == items_->Sorted()) return;
    items_->SetSorted(sorted);
    Changed("Sorted");
}

void TComboBox::DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state) {
    if (OnDrawItem) OnDrawItem(*this, canvas, index, rect, state);
}

std::string TComboBox::ItemText(int index) const {
    if (index < 0 || index >= items_->Count()) return {};
    return OnItemText ? OnItemText(*this, index) : (*items_)[index];
}

void TComboBox::ItemsChanged() {
    Changed("Items");
    if (itemIndex_ >= items_->Count()) ChangeValue(itemIndex_, -1, "ItemIndex");
}

}  // namespace velora::controls
