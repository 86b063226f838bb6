#include "gtk/controls/GtkProgressBarPeer.h"

#include <gtk/gtk.h>

#include <algorithm>

#include "controls/ProgressBar.h"

namespace velora::gtk {

double ProgressFraction(int min, int max, int position) {
    if (max <= min) return 0.0;
    const double part = (static_cast<double>(position) - min) / (static_cast<double>(max) - min);
    return std::clamp(part, 0.0, 1.0);
}

GtkProgressBarPeer::GtkProgressBarPeer(controls::TProgressBar& progressBar, const GtkPeerContext& context)
    : GtkWidgetPeer(progressBar, context), progressBar_(progressBar) {
    Place(gtk_progress_bar_new());
    ApplyFraction();
}

void GtkProgressBarPeer::ApplyFraction() {
    gtk_progress_bar_set_fraction(GTK_PROGRESS_BAR(widget_),
                                  ProgressFraction(progressBar_.Min(), progressBar_.Max(), progressBar_.Position()));
}

bool GtkProgressBarPeer::OwnPropertyChanged(std::string_view property) {
    if (property != "Min" && property != "Max" && property != "Position") return false;
    ApplyFraction();
    return true;
}

}  // namespace velora::gtk
