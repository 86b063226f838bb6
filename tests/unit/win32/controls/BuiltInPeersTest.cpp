// The Windows side's built-in peer kinds keep the promises of both sides.
#ifdef _WIN32

#include <gtest/gtest.h>

#include "controls/peers/BuiltInPeersContract.h"
#include "win32/controls/ControlPeerRegistry.h"

namespace velora::controls::testing {
namespace {

struct Win32Peers {
    static const win32::ControlPeerRegistry& Registry() { return win32::BuiltInPeers(); }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, BuiltInPeersContract, Win32Peers);

}  // namespace velora::controls::testing

#endif  // _WIN32
