// The file system on the C++ library keeps every file system's promises.
#include <gtest/gtest.h>

#include "platform/FileSystemContract.h"
#include "platform/std/StdFileSystem.h"

namespace velora::platform::testing {

INSTANTIATE_TYPED_TEST_SUITE_P(Std, FileSystemContract, StdFileSystem);

}  // namespace velora::platform::testing
