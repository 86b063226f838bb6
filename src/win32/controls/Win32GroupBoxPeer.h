#pragma once
// A group box: the system's framed caption ("BUTTON" with BS_GROUPBOX). The
// controls inside are siblings stacked above it, not its children, so that
// their notifications reach the form.

#include "win32/controls/Win32WindowPeer.h"

namespace velora::controls {
class TGroupBox;
}  // namespace velora::controls

namespace velora::win32 {

// The form's window clips its children (WS_CLIPCHILDREN), so nothing paints
// the inside of a group box but the box, which draws only its frame: this
// makes it fill its inside with the dialog colour first (the controls above
// it are clipped out, WS_CLIPSIBLINGS).
void FillGroupBoxInside(HWND groupBox);

class Win32GroupBoxPeer : public Win32WindowPeer {
public:
    Win32GroupBoxPeer(controls::TGroupBox& groupBox, const Win32PeerContext& context);

    void CollectZOrder(std::vector<HWND>& sequence, std::vector<HWND>& frames) const override;

protected:
    void Build() override;

private:
    controls::TGroupBox& groupBox_;
};

}  // namespace velora::win32
