#pragma once
// The other half of a model component: the object that shows it on screen.
// The model keeps every value; when one changes it tells the peer, which
// updates the window. On Windows the peers are the controls' windows; a
// component without a peer simply has nothing on screen.
//
// A peer that writes the user's input into the model (a typed text, a ticked
// box) hears of that change too and should leave its window alone when the
// window already shows the value.

#include <exception>
#include <string>
#include <string_view>

namespace velora::controls {
class TForm;
}  // namespace velora::controls

namespace velora::component {

class TComponent;

class ControlPeer {
public:
    virtual ~ControlPeer() = default;

    // A published value of `component` has changed; `property` is its name
    // ("Caption", "Visible", "Items", ...).
    virtual void PropertyChanged(TComponent& component, std::string_view property) = 0;
    // Put the form in front of the other windows and give it the focus.
    virtual void BringToFront(controls::TForm& /*form*/) {}
    // Run the form's modal loop: dispatch messages until the form's
    // ModalResult is set and its CloseModal agrees. Without a system to run
    // a loop it returns at once.
    virtual void RunModal(controls::TForm& /*form*/) {}
    // An event handler that the model ran on its own account (OnShow while
    // a form is being shown) threw; the model carries on after this returns.
    // The platform hands it to the application's general error display; the
    // default lets it propagate.
    virtual void HandleError(std::exception_ptr error) { std::rethrow_exception(error); }
};

}  // namespace velora::component
