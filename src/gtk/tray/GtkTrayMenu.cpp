#include "gtk/tray/GtkTrayMenu.h"

#include <gtk/gtk.h>

#include <map>
#include <vector>

#include "controls/Menus.h"
#include "gtk/raii/ObjectRef.h"
#include "gtk/tray/DbusMenuLayout.h"

namespace velora::gtk {

controls::TMenuItem* RunTrayMenu(const controls::TPopupMenu& menu) {
    const auto popup = ObjectRef<GtkWidget>::Sink(gtk_menu_new());
    controls::TMenuItem* chosen = nullptr;
    const std::vector<DbusMenuEntry> entries = DbusMenuEntries(menu.Items());
    std::map<int, GtkWidget*> shells{{0, popup.Get()}};
    for (const DbusMenuEntry& entry : entries) {
        if (entry.id == 0) continue;
        GtkWidget* widget = entry.separator ? gtk_separator_menu_item_new()
                                            : gtk_menu_item_new_with_mnemonic(entry.label.c_str());
        gtk_widget_set_sensitive(widget, entry.enabled);
        if (!entry.children.empty()) {
            shells[entry.id] = gtk_menu_new();
            gtk_menu_item_set_submenu(GTK_MENU_ITEM(widget), shells[entry.id]);
        } else if (!entry.separator) {
            g_object_set_data(G_OBJECT(widget), "velora-item", entry.item);
            g_signal_connect(widget, "activate", G_CALLBACK(+[](GtkMenuItem* item, gpointer result) {
                                 *static_cast<controls::TMenuItem**>(result) = static_cast<controls::TMenuItem*>(
                                     g_object_get_data(G_OBJECT(item), "velora-item"));
                             }),
                             &chosen);
        }
        gtk_menu_shell_append(GTK_MENU_SHELL(shells[entry.parent]), widget);
    }
    gtk_widget_show_all(popup.Get());
    bool open = true;
    g_signal_connect(popup.Get(), "deactivate", G_CALLBACK(+[](GtkMenuShell*, gpointer flag) {
                         *static_cast<bool*>(flag) = false;
                     }),
                     &open);
    gtk_menu_popup_at_pointer(GTK_MENU(popup.Get()), nullptr);
    // Without a pointer grab (no display focus) the menu does not open.
    if (!gtk_widget_get_visible(popup.Get())) open = false;
    while (open) g_main_context_iteration(nullptr, TRUE);
    // "activate" of the chosen entry comes after "deactivate".
    while (g_main_context_pending(nullptr)) g_main_context_iteration(nullptr, FALSE);
    g_signal_handlers_disconnect_matched(popup.Get(), G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, &open);
    gtk_widget_destroy(popup.Get());
    return chosen;
}

}  // namespace velora::gtk
