#include "controls/Menus.h"

#include <algorithm>

#include "component/Errors.h"

namespace velora::controls {

const component::ClassInfo& TMenuItem::StaticClass() {
    static const component::ClassInfo info{"TMenuItem", &component::TComponent::StaticClass(), {
        component::Prop::String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption),
        component::Prop::Boolean("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked),
        component::Prop::Boolean("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled),
        component::Prop::String("Hint", &TMenuItem::Hint, &TMenuItem::SetHint),
        component::Prop::Integer("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut),
        component::Prop::Boolean("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible),
    }};
    return info;
}

TMenuItem::TMenuItem(component::TComponent* owner) : component::TComponent(owner) {}

TMenuItem::~TMenuItem() {
    if (parent_ != nullptr) parent_->Remove(this);
    for (TMenuItem* item : items_) item->parent_ = nullptr;
}

void TMenuItem::SetCaption(const std::string& caption) { ChangeValue(caption_, caption, "Caption"); }
void TMenuItem::SetShortCut(component::TShortCut shortCut) { ChangeValue(shortCut_, shortCut, "ShortCut"); }
void TMenuItem::SetEnabled(bool enabled) { ChangeValue(enabled_, enabled, "Enabled"); }
void TMenuItem::SetVisible(bool visible) { ChangeValue(visible_, visible, "Visible"); }
void TMenuItem::SetChecked(bool checked) { ChangeValue(checked_, checked, "Checked"); }
void TMenuItem::SetHint(const std::string& hint) { ChangeValue(hint_, hint, "Hint"); }

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw component::ListError("Menu index out of range (" + std::to_string(index) + ")");
    return items_[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item == nullptr) return;
    if (index < 0 || index > Count())
        throw component::ListError("Menu index out of range (" + std::to_string(index) + ")");
    for (TMenuItem* p = this; p != nullptr; p = p->parent_)
        if (p == item) throw component::ComponentError("A menu item cannot be placed inside itself");
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

const component::ClassInfo& TPopupMenu::StaticClass() {
    static const component::ClassInfo info{"TPopupMenu", &component::TComponent::StaticClass(), {}};
    return info;
}

// The root item is owned like any component, without a name, so that a
// language file never addresses it.
TPopupMenu::TPopupMenu(component::TComponent* owner) : component::TComponent(owner), items_(new TMenuItem(this)) {}

}  // namespace velora::controls
