#include "gtk/WindowLook.h"

#include <gtk/gtk.h>

#include "gtk/ProgramIcon.h"
#include "gtk/raii/ObjectRef.h"

namespace velora::gtk {

namespace {

// The forms were laid out for the Windows controls: an edit 21 pixels high,
// a button 25, a check box 17. The theme's paddings and minimum heights
// would make every control taller than its place; these keep them inside.
constexpr char kCompactControls[] = R"(
entry { min-height: 0; padding: 0 4px; }
button { min-height: 0; min-width: 0; padding: 0 6px; }
combobox button { min-height: 0; padding: 0 4px; }
combobox arrow { min-height: 0; min-width: 12px; }
checkbutton, radiobutton { min-height: 0; padding: 0; }
checkbutton check, radiobutton radio { min-height: 13px; min-width: 13px; margin: 0 4px 0 0; }
frame > border { border-radius: 0; }
progressbar trough, progressbar progress { min-height: 15px; }
)";

}  // namespace

void EnsureWindowIcon() {
    static bool set = false;
    if (set) return;
    set = true;
    if (const auto icon = ProgramIcon(48)) gtk_window_set_default_icon(icon.Get());
}

void EnsureFormLook() {
    EnsureWindowIcon();
    static bool installed = false;
    if (installed) return;
    installed = true;
    const auto provider = ObjectRef<GtkCssProvider>::Adopt(gtk_css_provider_new());
    gtk_css_provider_load_from_data(provider.Get(), kCompactControls, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider.Get()),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

}  // namespace velora::gtk
