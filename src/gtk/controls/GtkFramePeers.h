#pragma once
// Containers drawn as frames: a group box (a GtkFrame with its caption) and
// a panel (a frame whose shadow follows the bevel, its caption centred).
// Their contents are widgets of the form placed on top of them.

#include "gtk/controls/GtkWidgetPeer.h"

namespace velora::controls {
class TGroupBox;
class TPanel;
}  // namespace velora::controls

namespace velora::gtk {

class GtkGroupBoxPeer : public GtkWidgetPeer {
public:
    GtkGroupBoxPeer(controls::TGroupBox& groupBox, const GtkPeerContext& context);
    // A frame takes no focus.
    void CollectFocusChain(std::vector<GtkWidget*>&) const override {}

protected:
    void ApplyCaption() override;

private:
    controls::TGroupBox& groupBox_;
};

class GtkPanelPeer : public GtkWidgetPeer {
public:
    GtkPanelPeer(controls::TPanel& panel, const GtkPeerContext& context);
    void CollectFocusChain(std::vector<GtkWidget*>&) const override {}

protected:
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyCaption() override;

private:
    void ApplyBevel();

    controls::TPanel& panel_;
    GtkWidget* caption_;
};

}  // namespace velora::gtk
