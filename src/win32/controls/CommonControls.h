#pragma once
// The common controls library: the system's buttons, edits, lists, progress
// bars and tooltips in their current look (version 6, which the manifest
// asks for). It is loaded, and its window classes registered, with the
// first control that needs it: a program that only sits in the tray never
// loads it.

namespace velora::win32 {

// Idempotent; cheap after the first call.
void UseCommonControls();

}  // namespace velora::win32
