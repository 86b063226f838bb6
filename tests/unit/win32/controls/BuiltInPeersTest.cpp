// The Windows side's built-in peer kinds keep the promises of both sides.
#ifdef _WIN32

#include <gtest/gtest.h>

#include "controls/peers/BuiltInPeersContract.h"
#include "win32/controls/ControlPeerRegistry.h"

namespace velora::controls::testing {

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, BuiltInPeersContract, PeersOf<&win32::BuiltInPeers>);

}  // namespace velora::controls::testing

#endif  // _WIN32
