#pragma once
// Push buttons and check boxes.

#include "gtk/controls/GtkWidgetPeer.h"

namespace velora::controls {
class TButton;
class TCheckBox;
}  // namespace velora::controls

namespace velora::gtk {

// A push button. Default makes it the window's default (Enter presses it,
// the form peer sees to that); a click runs the model's Click, which also
// sets the form's ModalResult.
class GtkButtonPeer : public GtkWidgetPeer {
public:
    GtkButtonPeer(controls::TButton& button, const GtkPeerContext& context);
    bool Press() override;

protected:
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyCaption() override;

private:
    void ApplyDefault();

    controls::TButton& button_;
};

// A check box; the user's click writes Checked into the model.
class GtkCheckBoxPeer : public GtkWidgetPeer {
public:
    GtkCheckBoxPeer(controls::TCheckBox& checkBox, const GtkPeerContext& context);

protected:
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyCaption() override;

private:
    controls::TCheckBox& checkBox_;
};

}  // namespace velora::gtk
