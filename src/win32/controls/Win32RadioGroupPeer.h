#pragma once
// A radio group: a group box frame with one auto radio button per item,
// laid out in the model's columns. The buttons are siblings above the frame;
// the first starts a dialog group (arrow keys move within it), and only the
// checked one (or the first) is a tab stop, so Tab enters the group at the
// selection. The user's choice writes ItemIndex, which runs OnClick.

#include <vector>

#include "win32/controls/Win32WindowPeer.h"

namespace velora::controls {
class TRadioGroup;
}  // namespace velora::controls

namespace velora::win32 {

class Win32RadioGroupPeer : public Win32WindowPeer {
public:
    Win32RadioGroupPeer(controls::TRadioGroup& radioGroup, const Win32PeerContext& context);
    ~Win32RadioGroupPeer() override;

    // The buttons, in item order.
    const std::vector<HWND>& Buttons() const { return buttons_; }

    bool OwnsWindow(HWND window) const override;
    void CollectZOrder(std::vector<HWND>& sequence, std::vector<HWND>& frames) const override;
    bool HandleCommand(HWND child, WORD notifyCode) override;

protected:
    void Build() override;
    void DestroyExtraWindows() override;
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyBounds() override;
    void ApplyVisible() override;
    void ApplyEnabled() override;
    void ApplyFont() override;
    void ApplyHint() override;

private:
    void CreateButtons();
    void ApplySelection();

    controls::TRadioGroup& radioGroup_;
    std::vector<HWND> buttons_;
};

}  // namespace velora::win32
