#pragma once
// The link label's window: a child of the form that paints the laid-out
// caption itself (plain text in the label's font, links in their colours and
// link style), shows the hand over links and hands the mouse to the model,
// which reports clicks as OnLinkClick. While a button is down the window
// holds the mouse capture, so a release outside the label still arrives.
// It is a tab stop: Tab walks its links (the focused one framed), Enter or
// Space opens it; its window text is the caption without markup, which is
// what screen readers read for it.

#include <functional>
#include <memory>

#include "win32/controls/Win32WindowPeer.h"
#include "controls/Font.h"

namespace velora::component {
class TComponent;
}  // namespace velora::component

namespace velora::controls {
class TLinkLabel;
}  // namespace velora::controls

namespace velora::win32 {

class Win32LinkLabelPeer : public Win32WindowPeer {
public:
    Win32LinkLabelPeer(controls::TLinkLabel& label, const Win32PeerContext& context);
    ~Win32LinkLabelPeer() override;

    // The label's font with exactly `style` (bold, italic, underline,
    // strike-out); the form's window owns it.
    HFONT StyledFont(controls::TFontStyles style);

protected:
    void Build() override;
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyFont() override;
    void ApplyCaption() override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC target);
    void PaintBackground(HDC dc, const RECT& client);
    void Redraw();
    void DrawFocus(HDC dc, int left, int top);
    LRESULT DialogCode(const MSG* key) const;
    bool KeyDown(WPARAM key);
    // Runs a mouse action of the model and repaints when it changed a link's
    // state, also when the form does not pass the model's report on.
    void Track(const std::function<void()>& mouseAction);

    controls::TLinkLabel& label_;
    bool trackingLeave_ = false;
};

// For the control-peer table: the peer of a TLinkLabel; nullptr for any
// other component.
std::unique_ptr<Win32ControlPeer> CreateLinkLabelPeer(component::TComponent& component, Win32PeerContext& context);

}  // namespace velora::win32
