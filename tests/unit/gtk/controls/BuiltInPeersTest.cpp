// The GTK side's built-in peer kinds keep the promises of both sides.
#ifdef VELORA_GTK

#include <gtest/gtest.h>

#include "controls/peers/BuiltInPeersContract.h"
#include "gtk/controls/ControlPeerRegistry.h"

namespace velora::controls::testing {

INSTANTIATE_TYPED_TEST_SUITE_P(Gtk, BuiltInPeersContract, PeersOf<&gtk::BuiltInPeers>);

}  // namespace velora::controls::testing

#endif  // VELORA_GTK
