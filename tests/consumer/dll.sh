#!/usr/bin/env bash
# corvanel.dll from other compilers and languages, with an installed package
# alone, outside the source tree (docs/testing.md): the C program of
# tests/consumer/c built by CMake, its edited .rc2 rebuilt, and driven with
# real keys through its range, its C day rule and the DLL's calendar; the
# program of tests/consumer/msvc built for MSVC's ABI; on x64 the Rust one.
#
#   tests/consumer/dll.sh BUILD_DIR     (build/win32 or build/win64)
set -uo pipefail
[[ -n ${DISPLAY:-} ]] || exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?usage: dll.sh BUILD_DIR}" && pwd)
kind=$(basename "$build")
prefix=$root/build/install-dll-$kind work=$root/build/consumer-dll-$kind
say() { echo "dll consumer ($kind): $1"; }
fail() { say "FAIL: $1"; [[ -n ${APP_PID-} ]] && driver_stop; exit 1; }

rm -rf "$prefix" "$work"
mkdir -p "$work"/{msvc,rust}
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || fail "cmake --install failed; see $work/install.log"
export CORVANEL_BUILD_DIR=$build   # the build's own Wine prefix
toolchain=$(ls "$prefix"/share/corvanel/toolchain-mingw-*.cmake 2>/dev/null)
[[ -f $toolchain ]] || fail "the package installs no toolchain file"
arch=${toolchain##*/toolchain-mingw-} arch=${arch%.cmake}

c=$work/c
cp -r "$root/tests/consumer/c" "$c"
cp "$build/app/resources/mainframe.ico" "$c/res/app.ico"
{ cmake -S "$c" -B "$c/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" && cmake --build "$c/build"; } >"$c/build.log" 2>&1 ||
    fail "the C consumer did not build; see $c/build.log"
sleep 1 && touch "$c/res/dialog.rc2"   # a later time stamp than the build's
[[ $(ninja -C "$c/build" -n) == *app.rc.res* ]] || fail "an edited res/dialog.rc2 does not rebuild the resources"
say "built the C consumer (C99, -pedantic -Werror) and its own resource script"

# shellcheck source=../../scripts/x-driver.sh
source "$root/scripts/x-driver.sh"
driver_init "$build"
driver_program "$c/build/c_consumer.exe" "C consumer"
driver_start
driver_wait_dialog || fail "C consumer: the dialog did not come up"
driver_focus
erase() { driver_keys BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace; }
driver_type 070115; driver_keys Tab
driver_type 19991231; driver_keys Tab
driver_expect tip "Choose a date from 2000-01-01 to 2099-12-31." || fail "C consumer: no tip for 1999 (${STATE[tip]-})"
erase; driver_type 20240501; driver_keys Tab
driver_expect tip "2024-05-01 cannot be chosen: a closing day." || fail "C consumer: no tip for the C rule (${STATE[tip]-})"
erase; driver_type 20240502; driver_keys F4
driver_expect popup open || fail "C consumer: F4 opened no calendar"
driver_keys Escape
driver_expect popup closed || fail "C consumer: Escape left the calendar open"
driver_keys Return
driver_program "$c/build/c_consumer.exe" "Dates read"
expected="Start 2007-01-15, due 2024-05-02, label ok" read=
for ((i = 0; i < 40; i++)); do
    read=$(driver_inspect items | grep -o 'Start .*') && break
    sleep 0.25
done
[[ $read == "$expected" ]] || fail "C consumer: OK showed \"$read\", not \"$expected\""
driver_keys Return
driver_wait_exit 20 && [[ $APP_STATUS == 0 ]] || fail "C consumer: status ${APP_STATUS-} at the end, not 0"
APP_PID=
say "C consumer: the range and the C day rule refused with their tips, the calendar opened, OK read \"$read\""

# run NAME EXE: a self-checking program beside the DLL; its lines, then its status.
run() {
    cp "$prefix/bin/corvanel.dll" "$(dirname "$2")/"
    "$root/scripts/wine-test-runner" "$2" | tr -d '\r' | sed 's/^/    /'
    ((PIPESTATUS[0] == 0)) || fail "$1: checks failed"
    say "$1: every check passed"
}

m=$work/msvc x86=()
[[ $arch == i686 ]] && x86=(-D_X86_)   # MinGW's headers name the processor so for clang's MSVC target
clang --target="$arch-pc-windows-msvc" -fgnuc-version=4.2.1 "${x86[@]}" -isystem /usr/share/mingw-w64/include \
      -I "$prefix/include/corvanel" -std=c99 -Wall -Wextra -pedantic -Werror -O1 \
      -c "$root/tests/consumer/msvc/abi_check.c" -o "$m/abi_check.obj" >"$m/build.log" 2>&1 ||
    fail "the MSVC-ABI consumer did not compile; see $m/build.log"
[[ $arch == i686 ]] && x86=(/safeseh:no)   # MinGW's system import libraries carry no SEH tables
lld-link /nodefaultlib /entry:AbiCheckEntry /subsystem:console "${x86[@]}" /out:"$m/abi_check.exe" "$m/abi_check.obj" \
         "$prefix/lib/corvanel.lib" /libpath:"/usr/$arch-w64-mingw32/lib" libuser32.a libkernel32.a \
         >>"$m/build.log" 2>&1 || fail "lld-link could not link the MSVC-ABI consumer; see $m/build.log"
say "built the MSVC-ABI consumer with clang --target=$arch-pc-windows-msvc and lld-link against corvanel.lib"
run "MSVC-ABI consumer" "$m/abi_check.exe"

[[ $arch == x86_64 ]] || exit 0
r=$work/rust
/usr/bin/rustc --edition 2021 --target x86_64-pc-windows-gnu -C linker=x86_64-w64-mingw32-gcc-posix -C opt-level=1 \
    -L "$prefix/lib" -o "$r/rust_consumer.exe" "$root/tests/consumer/rust/main.rs" >"$r/build.log" 2>&1 ||
    fail "the Rust consumer did not build; see $r/build.log"
say "built the Rust consumer with $(/usr/bin/rustc --version) for x86_64-pc-windows-gnu"
run "Rust consumer" "$r/rust_consumer.exe"
