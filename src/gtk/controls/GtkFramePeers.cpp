#include "gtk/controls/GtkFramePeers.h"

#include <gtk/gtk.h>

#include "gtk/AnsiText.h"
#include "controls/GroupBox.h"
#include "controls/Panel.h"

namespace velora::gtk {

GtkGroupBoxPeer::GtkGroupBoxPeer(controls::TGroupBox& groupBox, const GtkPeerContext& context)
    : GtkWidgetPeer(groupBox, context), groupBox_(groupBox) {
    GtkWidget* frame = gtk_frame_new(nullptr);
    Place(frame);
    ApplyCaption();
}

void GtkGroupBoxPeer::ApplyCaption() {
    const std::string caption = groupBox_.Caption();
    gtk_frame_set_label(GTK_FRAME(widget_), caption.empty() ? nullptr : DisplayText(caption).c_str());
}

GtkPanelPeer::GtkPanelPeer(controls::TPanel& panel, const GtkPeerContext& context)
    : GtkWidgetPeer(panel, context), panel_(panel), caption_(gtk_label_new(nullptr)) {
    GtkWidget* frame = gtk_frame_new(nullptr);
    gtk_container_add(GTK_CONTAINER(frame), caption_);
    gtk_widget_show(caption_);
    Place(frame);
    ApplyBevel();
    ApplyCaption();
}

void GtkPanelPeer::ApplyBevel() {
    GtkShadowType shadow = GTK_SHADOW_NONE;
    if (panel_.BevelOuter() == controls::bvRaised) shadow = GTK_SHADOW_OUT;
    if (panel_.BevelOuter() == controls::bvLowered) shadow = GTK_SHADOW_IN;
    gtk_frame_set_shadow_type(GTK_FRAME(widget_), shadow);
}

bool GtkPanelPeer::OwnPropertyChanged(std::string_view property) {
    if (property != "BevelOuter") return false;
    ApplyBevel();
    return true;
}

void GtkPanelPeer::ApplyCaption() { gtk_label_set_text(GTK_LABEL(caption_), DisplayText(panel_.Caption()).c_str()); }

}  // namespace velora::gtk
