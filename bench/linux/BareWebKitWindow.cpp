// A bare WebKitGTK window the size of the program's main window, showing one
// page: the Linux program's memory with a page open is measured against it.
// Prints "loaded" on its standard output when the page has loaded.
//
//   bench_webkit_window <address>
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (!gtk_init_check(&argc, &argv) || argc != 2) {
        std::fprintf(stderr, "usage: bench_webkit_window <address>\n");
        return 1;
    }
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "bare WebKitGTK window");
    gtk_window_set_default_size(GTK_WINDOW(window), 420, 530);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    GtkWidget* view = webkit_web_view_new();
    g_signal_connect(view, "load-changed", G_CALLBACK(+[](WebKitWebView*, WebKitLoadEvent event, gpointer) {
                         if (event != WEBKIT_LOAD_FINISHED) return;
                         std::printf("loaded\n");
                         std::fflush(stdout);
                     }),
                     nullptr);
    gtk_container_add(GTK_CONTAINER(window), view);
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), argv[1]);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
