#pragma once
// Enter and Esc in a form, alike on every platform: Enter presses the
// Default button, Esc the Cancel button, and without one Esc closes the form
// as its close box does (a modal form ends with mrCancel).

namespace velora::controls {

class TButton;
class TForm;

// The form's Default (or Cancel) button that is visible and enabled on the
// form; nullptr for none.
TButton* DefaultButton(const TForm& form);
TButton* CancelButton(const TForm& form);

// Esc: clicks the Cancel button, else closes the form.
void CancelDialog(TForm& form);

}  // namespace velora::controls
