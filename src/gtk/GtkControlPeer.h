#pragma once
// The native side of one component placed on a form: a widget (a button, an
// entry, a list), several (a radio group) or none (the tray icon, a menu).
// The form's window creates one peer per component it owns and hands the
// peer the model's changes.
//
// Every widget is a child of the form's GtkFixed, also when the control sits
// in a group box: the form peer adds up the containers' positions
// (controls/FormLayout.h), so the designed layout holds pixel for pixel.

#include <string_view>
#include <vector>

#include "controls/peers/PeerRegistry.h"

typedef struct _GtkWidget GtkWidget;

namespace velora::component {
class TComponent;
}  // namespace velora::component

namespace velora::controls {
class TForm;
class TPopupMenu;
}  // namespace velora::controls

namespace velora::gtk {

class GtkFormPeer;
class GtkMainLoop;

// Data key set on a widget that handles Enter itself (a link): the form
// leaves Enter to it instead of pressing the default button.
inline constexpr char kTakesEnter[] = "velora-takes-enter";

// What a control peer needs to create its widgets. The form peer outlives
// its control peers.
struct GtkPeerContext {
    GtkMainLoop& loop;
    controls::TForm& form;
    GtkWidget* window;
    GtkWidget* fixed;
    GtkFormPeer& formPeer;
};

class GtkControlPeer {
public:
    virtual ~GtkControlPeer() = default;

    // The control's main widget; nullptr for a component without one.
    virtual GtkWidget* Widget() const = 0;
    // A published value of the component changed. The form peer also passes
    // "Left", "Top", "Visible", "Enabled", "Font" and "Parent" on to the
    // controls inside a container whose value changed.
    virtual void PropertyChanged(std::string_view property) = 0;
    // The peer's widgets that take the focus, in the order Tab visits them.
    virtual void CollectFocusChain(std::vector<GtkWidget*>& chain) const {
        if (Widget() != nullptr) chain.push_back(Widget());
    }
    // The widget that has the focus when the control has it (the one a
    // label's mnemonic moves the focus to); nullptr for none.
    virtual GtkWidget* FocusWidget() const { return Widget(); }
    // Names the widgets for screen readers and relates a label to the field
    // it names; the form peer calls it once every peer exists and again
    // when a caption or a label's field changes.
    virtual void ApplyAccessibility() {}
    // An item of `menu` changed (the form peer tells every peer).
    virtual void MenuChanged(const controls::TPopupMenu& menu) {}
    // The form's Enter or Esc reached this peer's control (a default or a
    // cancel button): true when it acted on it.
    virtual bool Press() { return false; }
};

// Which peer each kind of component gets (gtk/controls/ControlPeerRegistry.h).
using ControlPeerRegistry = controls::PeerRegistry<GtkControlPeer, GtkPeerContext>;
using ControlPeerFactory = ControlPeerRegistry::Factory;

}  // namespace velora::gtk
