# Cross-compiling for 32-bit Windows with clang and lld (MinGW-w64 runtime, posix threads).
set(CORVANEL_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-clang-mingw.cmake)
