# Cross-compiling for 64-bit Windows with mingw-w64 on Debian.
# The posix thread-model compilers are the ones with std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VELORA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${VELORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${VELORA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Plain -static: libgcc, libstdc++ and winpthread all linked in, so the
# program and the tests need no DLL beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest runs the Windows test programs under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
