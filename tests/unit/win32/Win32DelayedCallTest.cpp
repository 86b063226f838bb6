// Delayed calls on thread timers keep the contract of every delayed call.
#ifdef _WIN32

#include "platform/DelayedCallContract.h"
#include "win32/Win32Side.h"

namespace velora::platform::testing {

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, DelayedCallContract, win32::testing::Win32Side);

}  // namespace velora::platform::testing

#endif  // _WIN32
