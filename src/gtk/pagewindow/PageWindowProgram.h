#pragma once
// The page window's own process (PageProcess.h starts it): a form with a
// browser, shown by the GTK peers as any form and kept in step with the
// program's form (controls/remote/MirroredForm.h) over the channel at
// `channel`. It ends when the channel closes.

namespace velora::gtk {

// The exit code: 0, or 1 without a display.
int RunPageWindow(int channel);

}  // namespace velora::gtk
