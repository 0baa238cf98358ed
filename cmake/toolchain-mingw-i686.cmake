# Cross-compiling for 32-bit Windows with MinGW-w64 (posix thread model): the
# toolchain that the package installs for its users, and the Wine runner for
# this project's tests.
include(${CMAKE_CURRENT_LIST_DIR}/package/toolchain-mingw-i686.cmake)

# Test executables run under Wine on a virtual display with a private prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-test-runner)
