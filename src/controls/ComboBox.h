#pragma once
// A drop-down list. With Sorted, added entries go to their place in order.

#include <functional>
#include <memory>

#include "controls/Canvas.h"
#include "controls/Control.h"
#include "component/Strings.h"

namespace velora::controls {

enum TComboBoxStyle : std::uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
inline constexpr std::string_view kComboBoxStyleNames[] = {"csDropDown", "csSimple", "csDropDownList",
                                                           "csOwnerDrawFixed", "csOwnerDrawVariable"};
inline constexpr component::EnumType ComboBoxStyleType{"TComboBoxStyle", kComboBoxStyleNames};

class TComboBox;
using TDrawItemEvent = std::function<void(TComboBox& sender, TCanvas& canvas, int index,
                                          const TRect& rect, TOwnerDrawState state)>;
using TItemTextEvent = std::function<std::string(const TComboBox& sender, int index)>;

class TComboBox : public TWinControl {
public:
    explicit TComboBox(component::TComponent* owner);

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    // One getter only, so that the property can name it.
    component::TStrings& Items() const { return *items_; }
    void SetItems(const component::TStrings& items) { items_->Assign(items); }
    // The selected entry; -1 for none. An index outside the entries selects
    // none; so does a change of the entries that leaves the index outside.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    // Entries visible when dropped down.
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count);
    // Height of an owner-drawn entry.
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);
    bool Sorted() const { return items_->Sorted(); }
    void SetSorted(bool sorted);

    // The text entry `index` shows, as a screen reader reads it: OnItemText's
    // answer (an owner-drawn list shows something else than its item), else
    // the item; empty outside the entries.
    std::string ItemText(int index) const;

    // The peer asks an owner-drawn list to draw entry `index`: runs OnDrawItem.
    void DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state);

    // The user picked another entry (the peer raises it; the program's own
    // SetItemIndex does not).
    component::TNotifyEvent OnChange;
    TDrawItemEvent OnDrawItem;
    TItemTextEvent OnItemText;

private:
    void ItemsChanged();

    std::unique_ptr<component::TStringList> items_;
    int itemIndex_ = -1;
    TComboBoxStyle style_ = csDropDown;
    int dropDownCount_ = 8;
    int itemHeight_ = 13;
};

}  // namespace velora::controls
