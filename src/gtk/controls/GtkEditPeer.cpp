#include "gtk/controls/GtkEditPeer.h"

#include <gtk/gtk.h>

#include "gtk/AnsiText.h"
#include "controls/Edit.h"

namespace velora::gtk {

char TypedCharacter(unsigned keyval, unsigned modifiers) {
    if (keyval == GDK_KEY_BackSpace) return 8;
    if (modifiers & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) return 0;
    const gunichar unicode = gdk_keyval_to_unicode(keyval);
    if (unicode == 0 || g_unichar_iscntrl(unicode)) return 0;
    char utf8[8] = {};
    const int length = g_unichar_to_utf8(unicode, utf8);
    const std::string ansi = FromUtf8(std::string_view(utf8, static_cast<std::size_t>(length)));
    return ansi.size() == 1 ? ansi[0] : '?';
}

GtkEditPeer::GtkEditPeer(controls::TEdit& edit, const GtkPeerContext& context)
    : GtkWidgetPeer(edit, context), edit_(edit) {
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_text(GTK_ENTRY(entry), ToUtf8(edit.Text()).c_str());
    gtk_entry_set_max_length(GTK_ENTRY(entry), edit.MaxLength());
    gtk_editable_set_editable(GTK_EDITABLE(entry), !edit.ReadOnly());
    // Enter presses the form's default button.
    gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
    g_signal_connect(entry, "key-press-event", G_CALLBACK(+[](GtkWidget*, GdkEventKey* key, gpointer self) {
                         bool passed = true;
                         Guarded([&] { passed = static_cast<GtkEditPeer*>(self)->PassKey(key->keyval, key->state); });
                         return passed ? FALSE : TRUE;
                     }),
                     this);
    g_signal_connect(entry, "changed", G_CALLBACK(+[](GtkEditable* editable, gpointer data) {
                         auto* self = static_cast<GtkEditPeer*>(data);
                         if (self->writingModel_) return;
                         Guarded([self, editable] {
                             FlagGuard guard(self->writingModel_);
                             self->edit_.SetText(FromUtf8(gtk_entry_get_text(GTK_ENTRY(editable))));
                         });
                     }),
                     this);
    Place(entry);
    ApplyPasswordChar();
}

bool GtkEditPeer::PassKey(unsigned keyval, unsigned modifiers) {
    if (!edit_.OnKeyPress) return true;
    const char typed = TypedCharacter(keyval, modifiers);
    if (typed == 0) return true;
    char passed = typed;
    edit_.OnKeyPress(&edit_, passed);
    if (passed == 0) return false;
    if (passed == typed) return true;
    // Another character than the one typed: it takes the typed one's place.
    GtkEditable* editable = GTK_EDITABLE(widget_);
    if (passed == 8) {
        int position = gtk_editable_get_position(editable);
        if (position > 0) gtk_editable_delete_text(editable, position - 1, position);
        return false;
    }
    gtk_editable_delete_selection(editable);
    int position = gtk_editable_get_position(editable);
    const std::string text = ToUtf8(std::string(1, passed));
    gtk_editable_insert_text(editable, text.c_str(), -1, &position);
    gtk_editable_set_position(editable, position);
    return false;
}

void GtkEditPeer::ApplyPasswordChar() {
    const char shown = edit_.PasswordChar();
    gtk_entry_set_visibility(GTK_ENTRY(widget_), shown == 0);
    if (shown != 0) {
        const std::string utf8 = ToUtf8(std::string(1, shown));
        gtk_entry_set_invisible_char(GTK_ENTRY(widget_), g_utf8_get_char(utf8.c_str()));
    }
}

bool GtkEditPeer::OwnPropertyChanged(std::string_view property) {
    if (property == "Text") {
        if (!writingModel_ && FromUtf8(gtk_entry_get_text(GTK_ENTRY(widget_))) != edit_.Text()) {
            FlagGuard guard(writingModel_);
            gtk_entry_set_text(GTK_ENTRY(widget_), ToUtf8(edit_.Text()).c_str());
        }
    } else if (property == "MaxLength") {
        gtk_entry_set_max_length(GTK_ENTRY(widget_), edit_.MaxLength());
    } else if (property == "PasswordChar") {
        ApplyPasswordChar();
    } else if (property == "ReadOnly") {
        gtk_editable_set_editable(GTK_EDITABLE(widget_), !edit_.ReadOnly());
    } else {
        return false;
    }
    return true;
}

}  // namespace velora::gtk
