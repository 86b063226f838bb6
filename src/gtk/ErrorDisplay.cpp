#include "gtk/ErrorDisplay.h"

#include <gtk/gtk.h>

#include <cstdio>

#include "app/uVars.h"
#include "gtk/AnsiText.h"
#include "gtk/MessageBox.h"
#include "controls/peers/ExceptionMessage.h"

namespace velora::gtk {

void ShowException(std::exception_ptr error) {
    const std::string text = ToUtf8(controls::ExceptionMessage(error));
    if (!gdk_display_get_default()) {
        // Before the display is open (a failing start): the terminal.
        std::fprintf(stderr, "%s: %s\n", app::AppTitle, text.c_str());
        return;
    }
    RunMessageBox(MessageKind::Error, text, app::AppTitle);
}

}  // namespace velora::gtk
