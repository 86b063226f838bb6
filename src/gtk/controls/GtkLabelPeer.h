#pragma once
// A label: a GtkLabel at the control's place. With AutoSize it takes the
// size of its text; the caption's "&" marks a mnemonic as on Windows.

#include "platform/gtk/controls/GtkWidgetPeer.h"

namespace velora::ui {
class TLabel;
}

namespace velora::gtk {

class GtkLabelPeer : public GtkWidgetPeer {
public:
    GtkLabelPeer(ui::TLabel& label, const GtkPeerContext& context);

protected:
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyBounds() override;
    void ApplyCaption() override;

private:
    void ApplyTextLayout();

    ui::TLabel& label_;
    GtkWidget* text_;
};

}  // namespace velora::gtk
