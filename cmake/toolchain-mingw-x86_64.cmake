# Cross-compiling for 64-bit Windows with MinGW-w64 (posix thread model): the
# toolchain that the package installs for its users, and the Wine runner for
# this project's tests.
include(${CMAKE_CURRENT_LIST_DIR}/package/toolchain-mingw-x86_64.cmake)

# Tests run under 64-bit Wine, in a prefix of their own: the runner picks the
# 64-bit loader and prefix from the executables' PE headers.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-test-runner)
