#include "gtk/controls/GtkButtonPeer.h"

#include <gtk/gtk.h>

#include "gtk/AnsiText.h"
#include "controls/Button.h"
#include "controls/CheckBox.h"

namespace velora::gtk {

GtkButtonPeer::GtkButtonPeer(controls::TButton& button, const GtkPeerContext& context)
    : GtkWidgetPeer(button, context), button_(button) {
    GtkWidget* widget = gtk_button_new_with_mnemonic(MnemonicUtf8(button.Caption()).c_str());
    g_signal_connect(widget, "clicked", G_CALLBACK(+[](GtkButton*, gpointer self) {
                         Guarded([self] { static_cast<GtkButtonPeer*>(self)->button_.Click(); });
                     }),
                     this);
    Place(widget);
    ApplyDefault();
}

bool GtkButtonPeer::Press() {
    button_.Click();
    return true;
}

void GtkButtonPeer::ApplyDefault() {
    gtk_widget_set_can_default(widget_, button_.Default());
    if (button_.Default()) {
        gtk_window_set_default(GTK_WINDOW(context_.window), widget_);
        gtk_style_context_add_class(gtk_widget_get_style_context(widget_), "default");
    } else {
        gtk_style_context_remove_class(gtk_widget_get_style_context(widget_), "default");
    }
}

bool GtkButtonPeer::OwnPropertyChanged(std::string_view property) {
    if (property != "Default") return false;
    ApplyDefault();
    return true;
}

void GtkButtonPeer::ApplyCaption() {
    gtk_button_set_label(GTK_BUTTON(widget_), MnemonicUtf8(button_.Caption()).c_str());
}

GtkCheckBoxPeer::GtkCheckBoxPeer(controls::TCheckBox& checkBox, const GtkPeerContext& context)
    : GtkWidgetPeer(checkBox, context), checkBox_(checkBox) {
    GtkWidget* widget = gtk_check_button_new_with_mnemonic(MnemonicUtf8(checkBox.Caption()).c_str());
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(widget), checkBox.Checked());
    g_signal_connect(widget, "toggled", G_CALLBACK(+[](GtkToggleButton* button, gpointer data) {
                         auto* self = static_cast<GtkCheckBoxPeer*>(data);
                         if (self->writingModel_) return;
                         Guarded([self, button] {
                             FlagGuard guard(self->writingModel_);
                             self->checkBox_.SetChecked(gtk_toggle_button_get_active(button));
                         });
                     }),
                     this);
    Place(widget);
}

bool GtkCheckBoxPeer::OwnPropertyChanged(std::string_view property) {
    if (property != "Checked") return false;
    if (!writingModel_ && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget_)) != checkBox_.Checked()) {
        FlagGuard guard(writingModel_);
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(widget_), checkBox_.Checked());
    }
    return true;
}

void GtkCheckBoxPeer::ApplyCaption() {
    gtk_button_set_label(GTK_BUTTON(widget_), MnemonicUtf8(checkBox_.Caption()).c_str());
}

}  // namespace velora::gtk
