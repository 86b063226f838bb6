#pragma once
// A panel: an owner-drawn static that paints the bevel and the centred
// caption. Like a group box it lies below the controls placed in it.

#include "win32/controls/Win32WindowPeer.h"

namespace velora::controls {
class TPanel;
}  // namespace velora::controls

namespace velora::win32 {

class Win32PanelPeer : public Win32WindowPeer {
public:
    Win32PanelPeer(controls::TPanel& panel, const Win32PeerContext& context);

    void CollectZOrder(std::vector<HWND>& sequence, std::vector<HWND>& frames) const override;
    bool HandleDrawItem(DRAWITEMSTRUCT& item) override;

protected:
    void Build() override;
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyCaption() override;

private:
    controls::TPanel& panel_;
};

}  // namespace velora::win32
