#pragma once
// A multi-line text: a GtkTextView in a scrolled window whose scroll bars
// follow ScrollBars. The lines are shown joined by line breaks; text the
// user edits is written back as lines.

#include <string>

#include "gtk/controls/GtkWidgetPeer.h"

namespace velora::controls {
class TMemo;
}  // namespace velora::controls

namespace velora::gtk {

class GtkMemoPeer : public GtkWidgetPeer {
public:
    GtkMemoPeer(controls::TMemo& memo, const GtkPeerContext& context);
    // The scrolled window stands in the form's chain (the chain holds the
    // fixed's children) and passes the focus on to the text inside.
    GtkWidget* FocusWidget() const override { return view_; }

protected:
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyFont() override;

private:
    std::string JoinedLines() const;
    std::string ShownText() const;
    void ApplyScrolling();

    controls::TMemo& memo_;
    GtkWidget* view_;
};

}  // namespace velora::gtk
