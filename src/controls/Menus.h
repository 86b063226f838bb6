#pragma once
// Menus. Menu items are components owned by the form like every other, so
// a language file finds them by name; where they stand in a menu is a
// separate list: each item keeps the items of its submenu in order, and a
// popup menu keeps its entries under a root item of its own.

#include <memory>
#include <string>
#include <vector>

#include "component/Component.h"
#include "component/Events.h"
#include "component/ShortCut.h"

namespace velora::controls {

class TMenuItem : public component::TComponent {
public:
    explicit TMenuItem(component::TComponent* owner);
    ~TMenuItem() override;

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    // "&" marks the accelerator letter; "-" makes the item a separator.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool IsLine() const { return caption_ == "-"; }
    component::TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(component::TShortCut shortCut);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);

    // The submenu, in menu order. The items are not owned here; an item
    // that is deleted leaves its menu.
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;
    // Appends or inserts `item`, taking it out of any other menu first.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    TMenuItem* Parent() const { return parent_; }
    // Position within the parent's submenu; -1 without a parent.
    int MenuIndex() const;

    // The user chose the item (the peer calls this); runs OnClick.
    void Click();
    component::TNotifyEvent OnClick;

private:
    void MenuChanged();

    std::string caption_;
    component::TShortCut shortCut_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    std::string hint_;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
};

class TPopupMenu : public component::TComponent {
public:
    explicit TPopupMenu(component::TComponent* owner);

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    // The root item; its submenu is the menu's entries.
    TMenuItem& Items() const { return *items_; }

private:
    TMenuItem* items_;
};

}  // namespace velora::controls
