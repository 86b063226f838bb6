#include "ui/controls/ComboBox.h"

namespace velora::ui {

const ClassInfo& TComboBox::StaticClass() {
    static const ClassInfo info{"TComboBox", &TWinControl::StaticClass(), {
        Prop::Object("Items", &TComboBox::Items, &TComboBox::SetItems),
        Prop::Integer("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex),
        Prop::Enumeration("Style", ComboBoxStyleType, &TComboBox::Style, &TComboBox::SetStyle),
        Prop::Integer("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount),
        Prop::Integer("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight),
        Prop::Boolean("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted),
    }};
    return info;
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TStringList>()) {
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

void TComboBox::ItemsChanged() {
    Changed("Items");
    if (itemIndex_ >= items_->Count()) ChangeValue(itemIndex_, -1, "ItemIndex");
}

}  // namespace velora::ui
