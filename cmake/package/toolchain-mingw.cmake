# Cross-compiling for Windows with MinGW-w64 (GCC, posix thread model), as
# the Corvanel package was built. Included by the per-architecture files,
# which set CORVANEL_MINGW_ARCH (i686 or x86_64); a consumer passes one of
# those, installed under <prefix>/share/corvanel, as -DCMAKE_TOOLCHAIN_FILE.
# On Debian the compilers come with g++-mingw-w64-<arch>-posix (i686 or
# x86-64), the resource tools with llvm and binutils-mingw-w64-<arch>.
set(triple ${CORVANEL_MINGW_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${CORVANEL_MINGW_ARCH})
set(CMAKE_C_COMPILER   ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER  ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# windres hands these to its preprocessor, so that a resource script is
# compiled again when a header or a script it includes changes.
set(CMAKE_DEPFILE_FLAGS_RC
    "--preprocessor-arg=-MD --preprocessor-arg=-MF --preprocessor-arg=<DEP_FILE> --preprocessor-arg=-MT --preprocessor-arg=<OBJECT>")

# The executables need no extra DLLs: the C and C++ runtimes are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
