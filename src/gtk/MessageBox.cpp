#include "gtk/MessageBox.h"

#include <gtk/gtk.h>

#include "app/Application.h"
#include "gtk/WindowLook.h"

namespace velora::gtk {

void RunMessageBox(MessageKind kind, const std::string& text, const std::string& caption) {
    EnsureWindowIcon();
    GtkWidget* dialog =
        gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, kind == MessageKind::Error ? GTK_MESSAGE_ERROR : GTK_MESSAGE_OTHER,
                               GTK_BUTTONS_OK, "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), caption.c_str());
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
    gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
    bool answered = false;
    g_signal_connect(dialog, "response", G_CALLBACK(+[](GtkDialog*, gint, gpointer flag) {
                         *static_cast<bool*>(flag) = true;
                     }),
                     &answered);
    gtk_widget_show(dialog);
    while (!answered && !(app::Application && app::Application->Terminated())) g_main_context_iteration(nullptr, TRUE);
    gtk_widget_destroy(dialog);
}

}  // namespace velora::gtk
