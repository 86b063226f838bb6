#pragma once
// Which GTK peer each kind of component gets: the built-in kinds are the
// table in ControlPeerRegistry.cpp. The lookup itself (a class or its
// nearest ancestor) is the portable controls/peers/PeerRegistry.h.

#include "gtk/GtkControlPeer.h"

namespace velora::gtk {

// The registry with the built-in kinds, filled on first use.
const ControlPeerRegistry& BuiltInPeers();

}  // namespace velora::gtk
