# Cross-compiling for 64-bit Windows with MinGW-w64 (GCC, posix thread
# model): a consumer's -DCMAKE_TOOLCHAIN_FILE, installed under
# <prefix>/share/corvanel beside toolchain-mingw.cmake.
set(CORVANEL_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
