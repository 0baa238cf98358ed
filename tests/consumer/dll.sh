#!/usr/bin/env bash
# corvanel.dll for any compiler and any language, from an installed package
# alone: installs a Windows build into a prefix and, outside the source tree:
#
# - builds the C consumer (tests/consumer/c: C99, -pedantic -Werror, only
#   corvanel.h and the import library; its own resource script with
#   resource.h, a dialog in an included .rc2, CRLF line ends and a string
#   table in code page 1252) with CMake and the package's toolchain file,
#   checks that editing the included .rc2 rebuilds its resources, and drives
#   it with real keys: a date outside the range and a day its C rule blocks
#   are refused with their tips, the calendar opens from the DLL's own
#   template, and OK reads both dates and the label;
# - builds tests/consumer/msvc for MSVC's ABI (clang --target=*-windows-msvc,
#   lld-link against corvanel.lib, no C runtime) and runs it;
# - on x64, builds tests/consumer/rust with Debian's rustc for
#   x86_64-pc-windows-gnu, linked by MinGW's gcc, and runs it.
#
#   tests/consumer/dll.sh BUILD_DIR     (build/win32 or build/win64)
set -uo pipefail
if [[ -z ${DISPLAY:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?usage: dll.sh BUILD_DIR}" && pwd)
kind=$(basename "$build")
prefix=$root/build/install-dll-$kind
work=$root/build/consumer-dll-$kind
fail() { echo "dll consumer ($kind): FAIL: $1"; exit 1; }
say() { echo "dll consumer ($kind): $1"; }

rm -rf "$prefix" "$work"
mkdir -p "$work"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    fail "cmake --install $build failed; see $work/install.log"
export CORVANEL_BUILD_DIR=$build   # the build's own Wine prefix
toolchain=$(ls "$prefix"/share/corvanel/toolchain-mingw-*.cmake 2>/dev/null)
[[ -f $toolchain ]] || fail "the package installs no toolchain file under $prefix/share/corvanel"
arch=${toolchain##*/toolchain-mingw-}
arch=${arch%.cmake}
triple=$arch-w64-mingw32

# --- C ---
c=$work/c
cp -r "$root/tests/consumer/c" "$c"
cp "$build/app/resources/mainframe.ico" "$c/res/app.ico"
cmake -S "$c" -B "$c/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" >"$c/configure.log" 2>&1 ||
    fail "configuring the C consumer failed; see $c/configure.log"
cmake --build "$c/build" >"$c/build.log" 2>&1 || fail "the C consumer did not build; see $c/build.log"
sleep 1   # a later time stamp than the build's
touch "$c/res/dialog.rc2"
ninja -C "$c/build" -n | grep -q 'app\.rc' || fail "editing res/dialog.rc2 does not rebuild the C consumer's resources"
say "built the C consumer (C99, -pedantic -Werror) and its resource script with the toolchain's own compiler"

# shellcheck source=../../scripts/x-driver.sh
source "$root/scripts/x-driver.sh"
driver_init "$build"
driver_program "$c/build/c_consumer.exe" "C consumer"
driver_start
driver_wait_dialog || { driver_stop; fail "C consumer: the dialog did not come up"; }
driver_focus
erase() { driver_keys BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace; }
driver_type 070115; driver_keys Tab
driver_type 19991231; driver_keys Tab
driver_expect tip "Choose a date from 2000-01-01 to 2099-12-31." ||
    { driver_stop; fail "C consumer: a due date outside the range showed no tip (tip: ${STATE[tip]-})"; }
erase; driver_type 20240501; driver_keys Tab
driver_expect tip "2024-05-01 cannot be chosen: a closing day." ||
    { driver_stop; fail "C consumer: a day the C rule blocks showed no tip (tip: ${STATE[tip]-})"; }
erase; driver_type 20240502; driver_keys F4
driver_expect popup open || { driver_stop; fail "C consumer: F4 opened no calendar"; }
driver_keys Escape
driver_expect popup closed || { driver_stop; fail "C consumer: Escape left the calendar open"; }
driver_keys Return
driver_program "$c/build/c_consumer.exe" "Dates read"
expected="Start 2007-01-15, due 2024-05-02, label ok"
read= 
for ((i = 0; i < 40; i++)); do
    read=$(driver_inspect items | grep -o 'Start .*' || true)
    [[ -n $read ]] && break
    sleep 0.25
done
[[ $read == "$expected" ]] || { driver_stop; fail "C consumer: OK showed \"$read\", not \"$expected\""; }
driver_keys Return
driver_wait_exit 20 && [[ $APP_STATUS == 0 ]] ||
    { driver_stop; fail "C consumer: the program did not end with status 0 (${APP_STATUS-})"; }
say "C consumer: the range and the C day rule refused with their tips, the calendar opened, OK read \"$read\""

# run NAME EXE: runs a self-checking program beside the DLL; its lines and status.
run() {
    cp "$prefix/bin/corvanel.dll" "$(dirname "$2")/"
    "$root/scripts/wine-test-runner" "$2" | tr -d '\r' | sed 's/^/    /'
    local status=${PIPESTATUS[0]}
    ((status == 0)) || fail "$1: $status checks failed"
    say "$1: every check passed"
}

# --- MSVC's ABI ---
m=$work/msvc
mkdir -p "$m"
defines=()
[[ $arch == i686 ]] && defines=(-D_X86_)   # MinGW's headers name the x86 processor so for clang's MSVC target
clang --target="$arch-pc-windows-msvc" -fgnuc-version=4.2.1 "${defines[@]}" -isystem /usr/share/mingw-w64/include \
      -I "$prefix/include/corvanel" -std=c99 -Wall -Wextra -pedantic -Werror -O1 \
      -c "$root/tests/consumer/msvc/abi_check.c" -o "$m/abi_check.obj" >"$m/build.log" 2>&1 ||
    fail "the MSVC-ABI consumer did not compile; see $m/build.log"
safeseh=()
[[ $arch == i686 ]] && safeseh=(/safeseh:no)   # MinGW's system import libraries carry no SEH tables
lld-link /nodefaultlib /entry:AbiCheckEntry /subsystem:console "${safeseh[@]}" /out:"$m/abi_check.exe" \
         "$m/abi_check.obj" "$prefix/lib/corvanel.lib" /libpath:"/usr/$triple/lib" libuser32.a libkernel32.a \
         >>"$m/build.log" 2>&1 || fail "lld-link could not link the MSVC-ABI consumer; see $m/build.log"
say "built the MSVC-ABI consumer with clang --target=$arch-pc-windows-msvc and lld-link against corvanel.lib"
run "MSVC-ABI consumer" "$m/abi_check.exe"

# --- Rust ---
if [[ $arch == x86_64 ]]; then
    r=$work/rust
    mkdir -p "$r"
    /usr/bin/rustc --edition 2021 --target x86_64-pc-windows-gnu -C linker=x86_64-w64-mingw32-gcc-posix \
        -C opt-level=1 -L "$prefix/lib" -o "$r/rust_consumer.exe" "$root/tests/consumer/rust/main.rs" \
        >"$r/build.log" 2>&1 || fail "the Rust consumer did not build; see $r/build.log"
    say "built the Rust consumer with $(/usr/bin/rustc --version) for x86_64-pc-windows-gnu"
    run "Rust consumer" "$r/rust_consumer.exe"
fi
