#include "gtk/controls/GtkLabelPeer.h"

#include <gtk/gtk.h>

#include "gtk/AnsiText.h"
#include "gtk/GtkFormPeer.h"
#include "controls/Form.h"
#include "controls/FormLayout.h"
#include "controls/Label.h"

namespace velora::gtk {

// The label sits in an event box: a plain GtkLabel has no window of its own
// and would neither take clicks nor show a tooltip.
GtkLabelPeer::GtkLabelPeer(controls::TLabel& label, const GtkPeerContext& context)
    : GtkWidgetPeer(label, context), label_(label), text_(gtk_label_new(nullptr)) {
    GtkWidget* box = gtk_event_box_new();
    gtk_event_box_set_visible_window(GTK_EVENT_BOX(box), FALSE);
    gtk_container_add(GTK_CONTAINER(box), text_);
    gtk_widget_show(text_);
    g_signal_connect(box, "button-release-event",
                     G_CALLBACK(+[](GtkWidget*, GdkEventButton* event, gpointer self) -> gboolean {
                         if (event->button != 1) return FALSE;
                         Guarded([self] { static_cast<GtkLabelPeer*>(self)->label_.Click(); });
                         return TRUE;
                     }),
                     this);
    ApplyTextLayout();
    ApplyCaption();
    Place(box);
}

void GtkLabelPeer::ApplyAccessibility() {
    GtkWidget* field = nullptr;
    if (controls::TWinControl* control = label_.FocusControl())
        if (GtkControlPeer* peer = context_.formPeer.PeerOf(*control)) field = peer->FocusWidget();
    if (gtk_label_get_mnemonic_widget(GTK_LABEL(text_)) != field)
        gtk_label_set_mnemonic_widget(GTK_LABEL(text_), field);
}

void GtkLabelPeer::ApplyTextLayout() {
    GtkLabel* label = GTK_LABEL(text_);
    float x = 0.0f;
    GtkJustification justify = GTK_JUSTIFY_LEFT;
    if (label_.Alignment() == controls::taCenter) {
        x = 0.5f;
        justify = GTK_JUSTIFY_CENTER;
    } else if (label_.Alignment() == controls::taRightJustify) {
        x = 1.0f;
        justify = GTK_JUSTIFY_RIGHT;
    }
    const float y = label_.Layout() == controls::tlCenter ? 0.5f : label_.Layout() == controls::tlBottom ? 1.0f : 0.0f;
    gtk_label_set_xalign(label, x);
    gtk_label_set_yalign(label, y);
    gtk_label_set_justify(label, justify);
    gtk_label_set_line_wrap(label, label_.WordWrap());
    gtk_label_set_line_wrap_mode(label, PANGO_WRAP_WORD_CHAR);
}

bool GtkLabelPeer::OwnPropertyChanged(std::string_view property) {
    if (property == "Alignment" || property == "WordWrap" || property == "Layout") {
        ApplyTextLayout();
        ApplyBounds();
        return true;
    }
    if (property == "AutoSize") {
        ApplyBounds();
        return true;
    }
    return false;
}

void GtkLabelPeer::ApplyBounds() {
    const controls::TPoint at = controls::PositionOnForm(label_);
    // An auto-sized label is as wide as its text (as high, when it wraps
    // at its width); otherwise it keeps its designed size.
    if (label_.AutoSize()) {
        PlaceAt(widget_, at.X, at.Y, label_.WordWrap() ? label_.Width() : -1, -1);
        // A text longer than the form is cut at the form's edge, as the
        // window cuts it on Windows, instead of widening the form.
        const int room = context_.form.ClientWidth() - at.X;
        gtk_label_set_ellipsize(GTK_LABEL(text_), PANGO_ELLIPSIZE_NONE);
        if (!label_.WordWrap() && room > 0) {
            int natural = 0;
            gtk_widget_get_preferred_width(text_, nullptr, &natural);
            if (natural > room) gtk_widget_set_size_request(widget_, room, -1);
            gtk_label_set_ellipsize(GTK_LABEL(text_), natural > room ? PANGO_ELLIPSIZE_END : PANGO_ELLIPSIZE_NONE);
        }
    } else {
        PlaceAt(widget_, at.X, at.Y, label_.Width(), label_.Height());
        // A wrapped text breaks at the designed width, not at its own.
        gtk_widget_set_size_request(text_, label_.WordWrap() ? label_.Width() : -1, -1);
    }
}

void GtkLabelPeer::ApplyCaption() {
    std::string caption = label_.Caption();
    std::erase(caption, '\r');
    gtk_label_set_text_with_mnemonic(GTK_LABEL(text_), MnemonicUtf8(caption).c_str());
    // The constructor sets the text before the label is placed; placing it
    // sizes it then.
    if (label_.AutoSize() && widget_) ApplyBounds();
}

}  // namespace velora::gtk
