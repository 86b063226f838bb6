// The dispatcher through a hidden window keeps every dispatcher's promises.
#ifdef _WIN32

#include "platform/UiThreadDispatcherContract.h"
#include "win32/Win32Side.h"

namespace velora::platform::testing {

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, UiThreadDispatcherContract, win32::testing::Win32Side);

}  // namespace velora::platform::testing

#endif  // _WIN32
