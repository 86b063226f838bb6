#pragma once
// Forms: the program's windows. A form owns the components placed on it and
// is their top-level parent. It is hidden until shown, shown either on its
// own or modally (the caller waits until a ModalResult is set).

#include <cstdint>
#include <functional>

#include "controls/Control.h"

namespace velora::controls {

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;

enum TFormBorderStyle : std::uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
inline constexpr std::string_view kFormBorderStyleNames[] = {"bsNone",   "bsSingle",     "bsSizeable",
                                                             "bsDialog", "bsToolWindow", "bsSizeToolWin"};
inline constexpr component::EnumType FormBorderStyleType{"TFormBorderStyle", kFormBorderStyleNames};

enum TBorderIcon : std::uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = component::EnumSet<TBorderIcon, std::uint8_t>;
inline constexpr std::string_view kBorderIconNames[] = {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};
inline constexpr component::EnumType BorderIconType{"TBorderIcon", kBorderIconNames};
inline constexpr component::SetType BorderIconsType{"TBorderIcons", BorderIconType};

// Where the form appears when it is first shown.
enum TPosition : std::uint8_t {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly,
    poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter
};
inline constexpr std::string_view kPositionNames[] = {
    "poDesigned",     "poDefault",       "poDefaultPosOnly", "poDefaultSizeOnly",
    "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"};
inline constexpr component::EnumType PositionType{"TPosition", kPositionNames};

// What closing does with the form; an OnClose handler may change it.
enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(component::TComponent* sender, TCloseAction& action)>;

class TForm : public TWinControl {
public:
    explicit TForm(component::TComponent* owner);

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    // Size of the area inside the frame. The peer keeps Width and Height in
    // step with it; the model stores both as they are set.
    int ClientWidth() const { return clientWidth_; }
    void SetClientWidth(int width);
    int ClientHeight() const { return clientHeight_; }
    void SetClientHeight(int height);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position);

    // Becoming visible runs OnShow first, becoming hidden OnHide first. An
    // exception from OnShow goes to the peer's HandleError and the form is
    // shown all the same.
    void SetVisible(bool visible) override;
    // Makes the form visible and brings it to the front.
    void Show() override;
    void BringToFront();

    // Shows the form, lets the peer run the modal loop and hides the form
    // again; returns the ModalResult. Throws ComponentError when the form is
    // visible already.
    TModalResult ShowModal();
    bool Modal() const { return modal_; }
    TModalResult ModalResult() const { return modalResult_; }
    // A non-zero result ends a modal showing (a button with a ModalResult sets it).
    void SetModalResult(TModalResult result);
    // Called by the modal loop once ModalResult is set: runs OnClose with
    // caHide. True when the form may close; caNone refuses, and ModalResult
    // becomes mrNone again.
    bool CloseModal();

    // The close box, Alt+F4 or a command. A modal form gets ModalResult
    // mrCancel. Otherwise OnClose decides (caHide by default) and caHide
    // hides the form; the chosen action is returned so that the caller can
    // carry out caFree and caMinimize.
    TCloseAction Close();

    component::TNotifyEvent OnShow;
    component::TNotifyEvent OnHide;
    TCloseEvent OnClose;

private:
    TCloseAction AskOnClose();

    int clientWidth_ = 0;
    int clientHeight_ = 0;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TPosition position_ = poDefaultPosOnly;
    bool modal_ = false;
    TModalResult modalResult_ = mrNone;
};

}  // namespace velora::controls
