#pragma once
// A single-line edit: a GtkEntry. Each character typed goes through the
// model's OnKeyPress first, which may drop or change it (the mobile number
// takes digits only); text pasted from the clipboard is not filtered, as on
// Windows. The text the user leaves is written into the model.

#include "gtk/controls/GtkWidgetPeer.h"

namespace velora::controls {
class TEdit;
}  // namespace velora::controls

namespace velora::gtk {

class GtkEditPeer : public GtkWidgetPeer {
public:
    GtkEditPeer(controls::TEdit& edit, const GtkPeerContext& context);

    // A key typed into the entry: false when the model dropped it (the key
    // is then not handled further); a changed character is inserted here.
    bool PassKey(unsigned keyval, unsigned modifiers);

protected:
    bool OwnPropertyChanged(std::string_view property) override;

private:
    void ApplyPasswordChar();

    controls::TEdit& edit_;
};

// The character a key types, as the model sees it: the key's character in
// Windows-1252 ("?" for one outside it), 8 for Backspace; 0 for a key that
// types nothing (arrows, function keys, combinations with Ctrl or Alt).
char TypedCharacter(unsigned keyval, unsigned modifiers);

}  // namespace velora::gtk
