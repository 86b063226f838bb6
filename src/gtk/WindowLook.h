#pragma once
// The look of the program's windows, installed with the first window that
// needs it rather than at the start: a program idle in the tray opens none.

namespace velora::gtk {

// The program's icon on every window it opens from now on (a message box
// too). Once per process; later calls do nothing.
void EnsureWindowIcon();

// The forms' controls as compact as their designed layout needs them, and
// the icon. It brings the theme's whole style sheet. Once per process.
void EnsureFormLook();

}  // namespace velora::gtk
