// Delayed calls as GLib timeouts keep the contract of every delayed call.
#ifdef VELORA_GTK

#include "gtk/GtkSide.h"
#include "platform/DelayedCallContract.h"

namespace velora::platform::testing {

INSTANTIATE_TYPED_TEST_SUITE_P(Gtk, DelayedCallContract, gtk::testing::GtkSide);

}  // namespace velora::platform::testing

#endif  // VELORA_GTK
