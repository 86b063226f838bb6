#include "gtk/controls/GtkWidgetPeer.h"

#include <gtk/gtk.h>

#include "gtk/AnsiText.h"
#include "gtk/GtkFormPeer.h"
#include "controls/AccessibleName.h"
#include "controls/Control.h"
#include "controls/FormLayout.h"
#include "controls/peers/ShownHint.h"

namespace velora::gtk {

std::string DisplayText(const std::string& ansi) {
    std::string text;
    text.reserve(ansi.size());
    for (std::size_t i = 0; i < ansi.size(); ++i) {
        if (ansi[i] == '\r') {
            // CR LF and a lone CR both end a line.
            if (i + 1 >= ansi.size() || ansi[i + 1] != '\n') text += '\n';
            continue;
        }
        text += ansi[i];
    }
    return ToUtf8(text);
}

GtkWidgetPeer::GtkWidgetPeer(controls::TControl& control, const GtkPeerContext& context)
    : control_(control), context_(context) {}

GtkWidgetPeer::~GtkWidgetPeer() { Discard(widget_); }

void GtkWidgetPeer::Discard(GtkWidget* widget) {
    if (!widget) return;
    g_signal_handlers_disconnect_by_data(widget, this);
    gtk_widget_destroy(widget);
}

void GtkWidgetPeer::Place(GtkWidget* widget) {
    widget_ = widget;
    const controls::TPoint at = controls::PositionOnForm(control_);
    gtk_fixed_put(GTK_FIXED(context_.fixed), widget_, at.X, at.Y);
    ApplyBounds();
    ApplyFont();
    ApplyEnabled();
    ApplyHint();
    ApplyVisible();
}

void GtkWidgetPeer::PlaceAt(GtkWidget* widget, int left, int top, int width, int height) {
    if (gtk_widget_get_parent(widget) == context_.fixed)
        gtk_fixed_move(GTK_FIXED(context_.fixed), widget, left, top);
    else
        gtk_fixed_put(GTK_FIXED(context_.fixed), widget, left, top);
    gtk_widget_set_size_request(widget, width > 0 ? width : -1, height > 0 ? height : -1);
}

void GtkWidgetPeer::PropertyChanged(std::string_view property) {
    if (!widget_ || OwnPropertyChanged(property)) return;
    ApplyCommonProperty(property);
}

void GtkWidgetPeer::ApplyAccessibility() {
    GtkWidget* focus = FocusWidget();
    if (!focus) return;
    const std::string name = controls::AccessibleName(control_);
    // Without a name of its own the widget keeps the one GTK gives it.
    if (!name.empty()) atk_object_set_name(gtk_widget_get_accessible(focus), DisplayText(name).c_str());
}

void GtkWidgetPeer::ApplyBounds() {
    const controls::TPoint at = controls::PositionOnForm(control_);
    PlaceAt(widget_, at.X, at.Y, control_.Width(), control_.Height());
}

void GtkWidgetPeer::ApplyVisible() { gtk_widget_set_visible(widget_, controls::VisibleOnForm(control_)); }

void GtkWidgetPeer::ApplyEnabled() { gtk_widget_set_sensitive(widget_, controls::EnabledOnForm(control_)); }

void GtkWidgetPeer::ApplyFont() { context_.formPeer.ApplyFont(widget_, control_); }

void GtkWidgetPeer::ApplyHint() {
    const std::string hint = controls::ShownHint(control_);
    gtk_widget_set_tooltip_text(widget_, hint.empty() ? nullptr : DisplayText(hint).c_str());
}

}  // namespace velora::gtk
