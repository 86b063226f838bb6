#pragma once
// Which Windows peer each kind of component gets: the built-in kinds are the
// table in ControlPeerRegistry.cpp; a new kind is one more line there. The
// lookup itself (a class or its nearest ancestor) is the portable
// controls/peers/PeerRegistry.h.

#include "win32/Win32ControlPeer.h"

namespace velora::win32 {

// The registry with the built-in kinds, filled on first use.
const ControlPeerRegistry& BuiltInPeers();

// A factory that makes a `Peer` from a component of model class `Model`.
template <class Peer, class Model>
ControlPeerFactory PeerFactory() {
    return ControlPeerRegistry::FactoryOf<Peer, Model>();
}

}  // namespace velora::win32
