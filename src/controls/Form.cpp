#include "controls/Form.h"

#include "component/Errors.h"

namespace velora::controls {

const component::ClassInfo& TForm::StaticClass() {
    static const component::ClassInfo info{"TForm", &TWinControl::StaticClass(), {
        component::Prop::String("Caption", &TForm::Caption, &TForm::SetCaption),
        component::Prop::Integer("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth),
        component::Prop::Integer("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight),
        component::Prop::Enumeration("BorderStyle", FormBorderStyleType, &TForm::BorderStyle, &TForm::SetBorderStyle),
        component::Prop::Set("BorderIcons", BorderIconsType, &TForm::BorderIcons, &TForm::SetBorderIcons),
        component::Prop::Enumeration("Position", PositionType, &TForm::Position, &TForm::SetPosition),
    }};
    return info;
}

TForm::TForm(component::TComponent* owner) : TWinControl(owner) { InitVisible(false); }

void TForm::SetClientWidth(int width) { ChangeValue(clientWidth_, width, "ClientWidth"); }
void TForm::SetClientHeight(int height) { ChangeValue(clientHeight_, height, "ClientHeight"); }
void TForm::SetBorderStyle(TFormBorderStyle style) { ChangeValue(borderStyle_, style, "BorderStyle"); }
void TForm::SetBorderIcons(TBorderIcons icons) { ChangeValue(borderIcons_, icons, "BorderIcons"); }
void TForm::SetPosition(TPosition position) { ChangeValue(position_, position, "Position"); }

void TForm::SetVisible(bool visible) {
    if (visible == Visible()) return;
    if (visible) {
        try {
            if (OnShow) OnShow(this);
        } catch (...) {
            component::ControlPeer* peer = EffectivePeer();
            if (peer == nullptr) throw;
            peer->HandleError(std::current_exception());
        }
    } else if (OnHide) {
        OnHide(this);
    }
    TControl::SetVisible(visible);
}

void TForm::Show() {
    SetVisible(true);
    BringToFront();
}

void TForm::BringToFront() {
    if (component::ControlPeer* peer = EffectivePeer()) peer->BringToFront(*this);
}

TModalResult TForm::ShowModal() {
    if (Visible() || modal_) throw component::ComponentError("Cannot make a visible window modal");
    modal_ = true;
    modalResult_ = mrNone;
    try {
        Show();
        if (component::ControlPeer* peer = EffectivePeer()) peer->RunModal(*this);
    } catch (...) {
        modal_ = false;
        Hide();
        throw;
    }
    modal_ = false;
    Hide();
    return modalResult_;
}

void TForm::SetModalResult(TModalResult result) { ChangeValue(modalResult_, result, "ModalResult"); }

bool TForm::CloseModal() {
    if (AskOnClose() != caNone) return true;
    SetModalResult(mrNone);
    return false;
}

TCloseAction TForm::Close() {
    if (modal_) {
        SetModalResult(mrCancel);
        return caHide;
    }
    const TCloseAction action = AskOnClose();
    if (action == caHide) Hide();
    return action;
}

TCloseAction TForm::AskOnClose() {
    TCloseAction action = caHide;
    if (OnClose) OnClose(this, action);
    return action;
}

}  // namespace velora::controls
