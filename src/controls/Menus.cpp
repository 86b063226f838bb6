#include "ui/controls/Menus.h"

#include <algorithm>

#include "component/Errors.h"

namespace velora::ui {

const ClassInfo& TMenuItem::StaticClass() {
    static const ClassInfo info{"TMenuItem", &TComponent::StaticClass(), {
        Prop::String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption),
        Prop::Boolean("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked),
        Prop::Boolean("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled),
        Prop::String("Hint", &TMenuItem::Hint, &TMenuItem::SetHint),
        Prop::Integer("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut),
        Prop::Boolean("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible),
    }};
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    if (parent_ != nullptr) parent_->Remove(this);
    for (TMenuItem* item : items_) item->parent_ = nullptr;
}

void TMenuItem::SetCaption(const std::string& caption) { ChangeValue(caption_, caption, "Caption"); }
void TMenuItem::SetShortCut(TShortCut shortCut) { ChangeValue(shortCut_, shortCut, "ShortCut"); }
void TMenuItem::SetEnabled(bool enabled) { ChangeValue(enabled_, enabled, "Enabled"); }
void TMenuItem::SetVisible(bool visible) { ChangeValue(visible_, visible, "Visible"); }
void TMenuItem::SetChecked(bool checked) { ChangeValue(checked_, checked, "Checked"); }
void TMenuItem::SetHint(const std::string& hint) { ChangeValue(hint_, hint, "Hint"); }

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw ListError("Menu index out of range (" + std::to_string(index) + ")");
    return items_[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item == nullptr) return;
    if (index < 0 || index > Count())
        throw ListError("Menu index out of range (" + std::to_string(index) + ")");
    for (TMenuItem* p = this; p != nullptr; p = p->parent_)
        if (p == item) throw ComponentError("A menu item cannot be placed inside itself");
    if (item->parent_ != nullptr) item->parent_->Remove(item);
    index = std::min(index, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    MenuChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
    if (item == nullptr || item->parent_ != this) return;
    std::erase(items_, item);
    item->parent_ = nullptr;
    MenuChanged();
}

int TMenuItem::MenuIndex() const {
    if (parent_ == nullptr) return -1;
    const auto& siblings = parent_->items_;
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void TMenuItem::Click() {
    if (OnClick) OnClick(this);
}

// A change of the submenu is reported as a change of "Items".
void TMenuItem::MenuChanged() { Changed("Items"); }

const ClassInfo& TPopupMenu::StaticClass() {
    static const ClassInfo info{"TPopupMenu", &TComponent::StaticClass(), {}};
    return info;
}

// The root item is owned like any component, without a name, so that a
// language file never addresses it.
TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) {}

}  // namespace velora::ui
