#pragma once
// What the peers of the ordinary controls share: one child window of the
// form, placed where the control lies on the form, shown while the control
// and its containers are visible, enabled likewise, with the control's font
// and hint. A kind of control adds its window class, its styles and its
// own properties.
//
// Model → window: PropertyChanged updates the window. Window → model: the
// user's input is written into the model with writingModel_ set, and the
// change the model then reports is not echoed back to the window.

#include <string>

#include "win32/Win32ControlPeer.h"
#include "win32/raii/UniqueWindow.h"
#include "controls/peers/CommonProperties.h"
#include "controls/peers/FlagGuard.h"

namespace velora::controls {
class DpiScale;
class TControl;
}  // namespace velora::controls

namespace velora::win32 {

class Win32WindowPeer : public Win32ControlPeer, protected controls::CommonProperties {
public:
    // Destroys the windows; never touches the model, which may be gone.
    ~Win32WindowPeer() override;
    Win32WindowPeer(const Win32WindowPeer&) = delete;
    Win32WindowPeer& operator=(const Win32WindowPeer&) = delete;

    HWND Handle() const override { return window_.Get(); }
    void PropertyChanged(std::string_view property) override;
    void DpiChanged() override;

protected:
    Win32WindowPeer(controls::TControl& control, const Win32PeerContext& context);

    // Creates the window through Build(); the constructor of each kind calls
    // it last. Again later (Recreate) for a style the window cannot change.
    void CreateWindowNow();
    void Recreate();
    // Creates window_ with CreateChild and puts the model's values into it.
    virtual void Build() = 0;
    // Destroys the windows Build made besides window_ (for Recreate; the
    // kind's destructor calls it itself).
    virtual void DestroyExtraWindows() {}

    // A child window of the form at the control's place, with its font,
    // visibility and enablement; `takesFocus` adds WS_TABSTOP when the
    // control's TabStop asks for it.
    HWND CreateChild(const wchar_t* windowClass, const std::string& text, DWORD style, DWORD exStyle,
                     bool takesFocus);

    // The kind's own properties; true when handled. The values every
    // control has go to the Apply functions.
    virtual bool OwnPropertyChanged(std::string_view property) { return false; }
    void ApplyBounds() override;
    void ApplyVisible() override;
    void ApplyEnabled() override;
    void ApplyFont() override;
    void ApplyHint() override;
    void ApplyCaption() override;
    void ApplyTabStop() override;

    // The density the form's window is drawn at.
    const controls::DpiScale& Scale() const;
    // The control's rectangle in the form's client area, scaled.
    RECT BoundsOnForm() const;
    HFONT Font() const;
    // The height of a line in Font().
    int TextHeight() const;
    // The window's text, in the program's code page.
    static std::string WindowText(HWND window);
    static void SetText(HWND window, const std::string& text);

    controls::TControl& control_;
    Win32PeerContext context_;
    UniqueWindow window_;
    bool takesFocus_ = false;
    bool writingModel_ = false;
};

// The peers write the user's input into the model under it.
using controls::FlagGuard;

}  // namespace velora::win32
