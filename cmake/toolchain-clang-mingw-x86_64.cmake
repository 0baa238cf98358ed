# Cross-compiling for 64-bit Windows with clang and lld (MinGW-w64 runtime, posix threads).
set(CORVANEL_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-clang-mingw.cmake)
