#pragma once
// A label: a static text window. With AutoSize the window takes the size of
// its text (the width too unless it wraps); the model's size stays as set.

#include "win32/controls/Win32WindowPeer.h"

namespace velora::controls {
class TLabel;
}  // namespace velora::controls

namespace velora::win32 {

class Win32LabelPeer : public Win32WindowPeer {
public:
    Win32LabelPeer(controls::TLabel& label, const Win32PeerContext& context);

    bool HandleCommand(HWND child, WORD notifyCode) override;
    HBRUSH HandleControlColor(HWND child, HDC dc) override;

protected:
    void Build() override;
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyBounds() override;
    void ApplyCaption() override;
    void ApplyFont() override;

private:
    DWORD TextStyle() const;

    controls::TLabel& label_;
};

}  // namespace velora::win32
