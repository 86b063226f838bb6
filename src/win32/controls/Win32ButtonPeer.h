#pragma once
// Push buttons and check boxes: windows of the system class "BUTTON".

#include "platform/win32/controls/Win32WindowPeer.h"

namespace velora::ui {
class TButton;
class TCheckBox;
}  // namespace velora::ui

namespace velora::win32 {

// A push button. Default gives it the default look, and Enter presses it
// (the form answers the dialog manager's DM_GETDEFID with it). A click runs
// the model's Click, which also sets the form's ModalResult.
class Win32ButtonPeer : public Win32WindowPeer {
public:
    Win32ButtonPeer(ui::TButton& button, const Win32PeerContext& context);

    bool HandleCommand(HWND child, WORD notifyCode) override;

protected:
    void Build() override;
    bool OwnPropertyChanged(std::string_view property) override;

private:
    DWORD ButtonStyle() const;

    ui::TButton& button_;
};

// A check box; the user's click writes Checked into the model.
class Win32CheckBoxPeer : public Win32WindowPeer {
public:
    Win32CheckBoxPeer(ui::TCheckBox& checkBox, const Win32PeerContext& context);

    bool HandleCommand(HWND child, WORD notifyCode) override;

protected:
    void Build() override;
    bool OwnPropertyChanged(std::string_view property) override;

private:
    ui::TCheckBox& checkBox_;
};

}  // namespace velora::win32
