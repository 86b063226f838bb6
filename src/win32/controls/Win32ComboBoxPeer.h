#pragma once
// A combo box. The list always holds the model's Items in the model's order
// (the model sorts, the window never does); the selection follows ItemIndex
// both ways, and the user's choice runs the model's OnChange. An owner-drawn
// list (csOwnerDrawFixed) draws each entry through the model's OnDrawItem
// on a Win32Canvas, with the colours chosen for a selected or a normal entry.

#include "win32/controls/Win32WindowPeer.h"

namespace velora::controls {
class TComboBox;
}  // namespace velora::controls

namespace velora::win32 {

class Win32ComboBoxPeer : public Win32WindowPeer {
public:
    Win32ComboBoxPeer(controls::TComboBox& comboBox, const Win32PeerContext& context);

    bool HandleCommand(HWND child, WORD notifyCode) override;
    bool HandleDrawItem(DRAWITEMSTRUCT& item) override;
    bool HandleMeasureItem(MEASUREITEMSTRUCT& item) override;

protected:
    void Build() override;
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyBounds() override;
    void ApplyFont() override;
    void ApplyCaption() override {}

private:
    DWORD ComboStyle() const;
    bool OwnerDrawn() const;
    void FillItems();
    void ApplySelection();
    void ApplyItemHeight();

    controls::TComboBox& comboBox_;
};

}  // namespace velora::win32
