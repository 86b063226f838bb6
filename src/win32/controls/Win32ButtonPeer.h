#pragma once
// Push buttons and check boxes: windows of the system class "BUTTON".

#include "win32/controls/Win32WindowPeer.h"

namespace velora::controls {
class TButton;
class TCheckBox;
}  // namespace velora::controls

namespace velora::win32 {

// A push button. Default gives it the default look, and Enter presses it
// (the form answers the dialog manager's DM_GETDEFID with it). A click runs
// the model's Click, which also sets the form's ModalResult.
class Win32ButtonPeer : public Win32WindowPeer {
public:
    Win32ButtonPeer(controls::TButton& button, const Win32PeerContext& context);

    bool HandleCommand(HWND child, WORD notifyCode) override;

protected:
    void Build() override;
    bool OwnPropertyChanged(std::string_view property) override;

private:
    DWORD ButtonStyle() const;

    controls::TButton& button_;
};

// A check box; the user's click writes Checked into the model.
class Win32CheckBoxPeer : public Win32WindowPeer {
public:
    Win32CheckBoxPeer(controls::TCheckBox& checkBox, const Win32PeerContext& context);

    bool HandleCommand(HWND child, WORD notifyCode) override;

protected:
    void Build() override;
    bool OwnPropertyChanged(std::string_view property) override;

private:
    controls::TCheckBox& checkBox_;
};

}  // namespace velora::win32
