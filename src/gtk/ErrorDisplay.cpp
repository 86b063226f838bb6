#include "gtk/ErrorDisplay.h"

#include <gtk/gtk.h>

#include <cstdio>

#include "app/uVars.h"
#include "gtk/AnsiText.h"
#include "controls/peers/ExceptionMessage.h"

namespace velora::gtk {

void ShowException(std::exception_ptr error) {
    const std::string text = ToUtf8(controls::ExceptionMessage(error));
    if (!gdk_display_get_default()) {
        // Before the display is open (a failing start): the terminal.
        std::fprintf(stderr, "%s: %s\n", app::AppTitle, text.c_str());
        return;
    }
    GtkWidget* dialog =
        gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_OK, "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), app::AppTitle);
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}

}  // namespace velora::gtk
