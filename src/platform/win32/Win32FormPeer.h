#pragma once
// The window of a form. It is created from the model's values, follows every
// change the model reports, turns the user's actions (closing, for now) back
// into model calls, and runs the modal loop. The window class is named after
// the form's class ("TformOptions"), so the program's windows can be found
// by class.

#include <windows.h>

#include <string>
#include <vector>

#include "ui/model/ControlPeer.h"

namespace velora::ui {
class TForm;
}

namespace velora::win32 {

class Win32Application;

class Win32FormPeer : public ui::ControlPeer {
public:
    Win32FormPeer(ui::TForm& form, Win32Application& application);
    ~Win32FormPeer() override;
    Win32FormPeer(const Win32FormPeer&) = delete;
    Win32FormPeer& operator=(const Win32FormPeer&) = delete;

    HWND Handle() const { return window_; }

    void PropertyChanged(ui::TComponent& component, std::string_view property) override;
    void BringToFront(ui::TForm& form) override;
    void RunModal(ui::TForm& form) override;
    void HandleError(std::exception_ptr error) override;

protected:
    // Messages of the form's window; the default handles closing and the rest
    // goes to the system.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateNativeWindow();
    void ApplyBounds();
    DWORD Style() const;
    DWORD ExStyle() const;

    ui::TForm* form_;
    Win32Application& application_;
    std::wstring className_;
    HWND window_ = nullptr;
    std::vector<HWND> disabledDuringModal_;
};

}  // namespace velora::win32
