#!/usr/bin/env bash
# The installed package works for someone who has only the install: installs
# a Windows build into a prefix, configures a consumer project outside the
# source tree against that prefix, builds the plain-dialog example and the
# Unicode one from it, and starts each under Wine, closing its dialog with
# Escape. In the Unicode program (a wide dialog procedure under common
# controls 6) it first types a date and leaves the field: the procedure's
# DCN_EXITCHANGED handling shows in the dialog's title.
#
#   tests/consumer/run.sh BUILD_DIR     (build/win32 or build/win64)
set -uo pipefail
if [[ -z ${DISPLAY:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?usage: run.sh BUILD_DIR}" && pwd)
kind=$(basename "$build")
prefix=$root/build/install-$kind
work=$root/build/consumer-$kind
fail() { echo "consumer: FAIL: $1"; exit 1; }

rm -rf "$prefix" "$work"
cmake --install "$build" --prefix "$prefix" >"$work.install.log" 2>&1 ||
    fail "cmake --install $build failed; see $work.install.log"
mkdir -p "$work/src"
cp "$root/tests/consumer/CMakeLists.txt" "$root"/examples/plain-dialog/PlainDialog{.cpp,.rc,Ids.h} \
   "$root"/examples/unicode-dialog/UnicodeDialog{.cpp,.rc,Ids.h,.manifest} "$work/src/"
toolchain=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$build/CMakeCache.txt")
cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_PREFIX_PATH="$prefix" >"$work/configure.log" 2>&1 ||
    fail "configuring against $prefix failed; see $work/configure.log"
cmake --build "$work/build" >"$work/build.log" 2>&1 || fail "the build failed; see $work/build.log"
echo "consumer: built plain_dialog.exe and unicode_dialog.exe from the package in ${prefix#"$root"/}"

# run PROGRAM TITLE [TITLE_AFTER_A_DATE]
run() {
    local exe=$work/build/$1 title=$2 changed=${3:-}
    "$root/scripts/wine-test-runner" "$exe" &
    local pid=$! window= i
    for ((i = 0; i < 600; i++)); do
        window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -1)
        [[ -z $window ]] && kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    [[ -n $window ]] || { kill "$pid" 2>/dev/null; wait "$pid"; fail "$1: the dialog did not come up"; }
    xdotool windowfocus --sync "$window" 2>/dev/null; sleep 0.3
    if [[ -n $changed ]]; then
        xdotool type --delay 50 a070115; xdotool key Tab
        for ((i = 0; i < 50; i++)); do
            [[ $(xdotool getwindowname "$window" 2>/dev/null) == "$changed" ]] && break
            sleep 0.1
        done
        [[ $(xdotool getwindowname "$window" 2>/dev/null) == "$changed" ]] ||
            { kill "$pid" 2>/dev/null; wait "$pid"; fail "$1: leaving a typed date did not reach the dialog"; }
        echo "consumer: $1: a typed date left the field, and the dialog says \"$changed\""
    fi
    xdotool key Escape
    for ((i = 0; i < 300; i++)); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"; local status=$?
            ((status == 0)) || fail "$1: the program ended with status $status"
            echo "consumer: $1: the dialog came up and Escape ended the program with status 0"
            return 0
        fi
        sleep 0.1
    done
    kill "$pid" 2>/dev/null; wait "$pid"
    fail "$1: Escape did not end the program"
}
# The Windows build's own Wine prefix: no new prefix for one program.
export CORVANEL_BUILD_DIR=$build
run plain_dialog.exe "Plain dialog"
run unicode_dialog.exe "Unicode dialog" "Unicode dialog: due date changed"
