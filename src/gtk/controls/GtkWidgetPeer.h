#pragma once
// What the peers of the ordinary controls share: one widget in the form's
// GtkFixed at the control's place and size, shown while the control and its
// containers are visible, sensitive likewise, with the control's font and
// hint. A kind of control adds its widget and its own properties.
//
// Model → widget: PropertyChanged updates the widget. Widget → model: the
// user's input is written into the model with writingModel_ set, and the
// change the model then reports is not echoed back to the widget.

#include <string>

#include "gtk/GtkControlPeer.h"
#include "controls/peers/CommonProperties.h"
#include "controls/peers/FlagGuard.h"

namespace velora::controls {
class TControl;
}  // namespace velora::controls

namespace velora::gtk {

class GtkWidgetPeer : public GtkControlPeer, protected controls::CommonProperties {
public:
    // Destroys the widgets; never touches the model, which may be gone.
    ~GtkWidgetPeer() override;
    GtkWidgetPeer(const GtkWidgetPeer&) = delete;
    GtkWidgetPeer& operator=(const GtkWidgetPeer&) = delete;

    GtkWidget* Widget() const override { return widget_; }
    void PropertyChanged(std::string_view property) override;
    // The focus widget carries the control's name (controls/AccessibleName.h).
    void ApplyAccessibility() override;

protected:
    GtkWidgetPeer(controls::TControl& control, const GtkPeerContext& context);

    // Puts the kind's widget in place with the model's common values; the
    // constructor of each kind calls it once its widget exists.
    void Place(GtkWidget* widget);
    // Forgets `widget`'s signals for this peer and destroys it.
    void Discard(GtkWidget* widget);

    // The kind's own properties; true when handled. The values every
    // control has go to the Apply functions.
    virtual bool OwnPropertyChanged(std::string_view property) { return false; }
    void ApplyBounds() override;
    void ApplyVisible() override;
    void ApplyEnabled() override;
    void ApplyFont() override;
    void ApplyHint() override;
    void ApplyCaption() override {}
    // The focus chain follows the form's tab order, not the widget.
    void ApplyTabStop() override {}

    // Places any widget of the peer at a rectangle of the form's client area.
    void PlaceAt(GtkWidget* widget, int left, int top, int width, int height);

    controls::TControl& control_;
    GtkPeerContext context_;
    GtkWidget* widget_ = nullptr;
    bool writingModel_ = false;
};

// The peers write the user's input into the model under it.
using controls::FlagGuard;

// A model text as a widget shows it: UTF-8, line breaks without CR.
std::string DisplayText(const std::string& ansi);

}  // namespace velora::gtk

#include "gtk/ErrorDisplay.h"
