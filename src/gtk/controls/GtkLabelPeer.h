#pragma once
// A label: a GtkLabel at the control's place. With AutoSize it takes the
// size of its text; the caption's "&" marks a mnemonic as on Windows.

#include "gtk/controls/GtkWidgetPeer.h"

namespace velora::controls {
class TLabel;
}  // namespace velora::controls

namespace velora::gtk {

class GtkLabelPeer : public GtkWidgetPeer {
public:
    GtkLabelPeer(controls::TLabel& label, const GtkPeerContext& context);
    // The label's mnemonic moves the focus to the field it names, which
    // screen readers then read as labelled by it.
    void ApplyAccessibility() override;

protected:
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyBounds() override;
    void ApplyCaption() override;

private:
    void ApplyTextLayout();

    controls::TLabel& label_;
    GtkWidget* text_;
};

}  // namespace velora::gtk
