#pragma once
// A progress bar: a GtkProgressBar showing Position between Min and Max.

#include "gtk/controls/GtkWidgetPeer.h"

namespace velora::controls {
class TProgressBar;
}  // namespace velora::controls

namespace velora::gtk {

class GtkProgressBarPeer : public GtkWidgetPeer {
public:
    GtkProgressBarPeer(controls::TProgressBar& progressBar, const GtkPeerContext& context);
    void CollectFocusChain(std::vector<GtkWidget*>&) const override {}

protected:
    bool OwnPropertyChanged(std::string_view property) override;

private:
    void ApplyFraction();

    controls::TProgressBar& progressBar_;
};

// The filled part: 0 to 1, 0 for an empty range.
double ProgressFraction(int min, int max, int position);

}  // namespace velora::gtk
