#!/usr/bin/env bash
# The installed package works for someone who has only the install: installs
# a Windows build into a prefix and, with nothing but that prefix and the
# toolchain file it holds, outside the source tree:
#
# - builds the README's quick start, extracted from README.md itself, with a
#   consumer's default settings (no C++ standard of its own, a resource
#   script that includes <windows.h>), and drives it with real keys: a date
#   outside the due date's range is refused with its tip, two dates are
#   typed, OK, and the dates it read show in its message box;
# - builds the plain-dialog example and the Unicode one and starts each,
#   closing its dialog with Escape. In the Unicode program (a wide dialog
#   procedure under common controls 6) it first types a date and leaves the
#   field: the procedure's DCN_EXITCHANGED handling shows in the title.
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
toolchain=$(ls "$prefix"/share/corvanel/toolchain-mingw-*.cmake 2>/dev/null)
[[ -f $toolchain ]] || fail "the package installs no toolchain file under $prefix/share/corvanel"
cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_PREFIX_PATH="$prefix" >"$work/configure.log" 2>&1 ||
    fail "configuring against $prefix failed; see $work/configure.log"
cmake --build "$work/build" >"$work/build.log" 2>&1 || fail "the build failed; see $work/build.log"
echo "consumer: built plain_dialog.exe and unicode_dialog.exe from the package in ${prefix#"$root"/}"

# The quick start: each fenced block after a "<!-- quickstart: FILE -->" line
# of the README is FILE, built with the README's own commands.
quick=$work/quickstart
mkdir -p "$quick"
awk -v dir="$quick" '
    /^<!-- quickstart: .* -->$/ { file = dir "/" $3; next }
    file != "" && /^```/ { if (open) { close(file); file = ""; open = 0 } else open = 1; next }
    open { print > file }' "$root/README.md"
for file in CMakeLists.txt dialog.rc main.cpp; do
    [[ -s $quick/$file ]] || fail "the README's quick start has no $file"
done
grep -q '^#include <windows.h>' "$quick/dialog.rc" || fail "the quick start's resource script no longer includes <windows.h>"
cmake -S "$quick" -B "$quick/build" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" >"$quick/configure.log" 2>&1 ||
    fail "configuring the quick start failed; see $quick/configure.log"
cmake --build "$quick/build" >"$quick/build.log" 2>&1 || fail "the quick start did not build; see $quick/build.log"
echo "consumer: built the README's quick start with the consumer's default settings"

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
# quickstart: the README's program driven with real keys. The inspector of
# the build reads its dialog and then its message box from outside.
quickstart() {
    # shellcheck source=../../scripts/x-driver.sh
    source "$root/scripts/x-driver.sh"
    driver_init "$build"
    driver_program "$quick/build/first_fields.exe" "First fields"
    local today yearOn dashed
    today=$(date +%Y%m%d) dashed=$(date +%F) yearOn=$(date -d '+365 days' +%F)
    driver_start
    driver_wait_dialog || { driver_stop; fail "quick start: the dialog did not come up"; }
    driver_focus
    driver_type 070115; driver_keys Tab
    driver_type 20000101; driver_keys Tab
    driver_expect tip "Choose a date from $dashed to $yearOn." ||
        { driver_stop; fail "quick start: a due date outside the range showed no tip (tip: ${STATE[tip]-})"; }
    driver_keys BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
    driver_type "$today"; driver_keys Return
    driver_program "$quick/build/first_fields.exe" "Dates read"
    local read= i
    for ((i = 0; i < 40; i++)); do
        read=$(driver_inspect items | grep -o 'Start .*' || true)
        [[ -n $read ]] && break
        sleep 0.25
    done
    [[ $read == "Start 2007-01-15, due $dashed" ]] ||
        { driver_stop; fail "quick start: OK showed \"$read\", not \"Start 2007-01-15, due $dashed\""; }
    driver_keys Return
    driver_wait_exit 20 && [[ $APP_STATUS == 0 ]] ||
        { driver_stop; fail "quick start: the program did not end with status 0 (${APP_STATUS-})"; }
    echo "consumer: quick start: a date out of range was explained, and OK read \"$read\"; status 0"
}

# The Windows build's own Wine prefix: no new prefix for one program.
export CORVANEL_BUILD_DIR=$build
quickstart
run plain_dialog.exe "Plain dialog"
run unicode_dialog.exe "Unicode dialog" "Unicode dialog: due date changed"
