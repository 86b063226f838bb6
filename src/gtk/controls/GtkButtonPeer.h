#pragma once
// Push buttons and check boxes.

#include "platform/gtk/controls/GtkWidgetPeer.h"

namespace velora::ui {
class TButton;
class TCheckBox;
}  // namespace velora::ui

namespace velora::gtk {

// A push button. Default makes it the window's default (Enter presses it,
// the form peer sees to that); a click runs the model's Click, which also
// sets the form's ModalResult.
class GtkButtonPeer : public GtkWidgetPeer {
public:
    GtkButtonPeer(ui::TButton& button, const GtkPeerContext& context);
    bool Press() override;

protected:
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyCaption() override;

private:
    void ApplyDefault();

    ui::TButton& button_;
};

// A check box; the user's click writes Checked into the model.
class GtkCheckBoxPeer : public GtkWidgetPeer {
public:
    GtkCheckBoxPeer(ui::TCheckBox& checkBox, const GtkPeerContext& context);

protected:
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyCaption() override;

private:
    ui::TCheckBox& checkBox_;
};

}  // namespace velora::gtk
