#pragma once
// A single-line edit. Every typed character (WM_CHAR) goes to the model's
// OnKeyPress first, which may change it or discard it; the text the edit
// then holds is written into the model's Text.

#include "win32/controls/Win32WindowPeer.h"

namespace velora::controls {
class TEdit;
}  // namespace velora::controls

namespace velora::win32 {

class Win32EditPeer : public Win32WindowPeer {
public:
    Win32EditPeer(controls::TEdit& edit, const Win32PeerContext& context);
    ~Win32EditPeer() override;

    bool HandleCommand(HWND child, WORD notifyCode) override;

protected:
    void Build() override;
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyCaption() override {}

private:
    static LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
    // The model's verdict on a typed character: false to drop it; `key` may
    // come back changed.
    bool PassKey(WPARAM& key);
    void ApplyPasswordChar();

    controls::TEdit& edit_;
};

}  // namespace velora::win32
