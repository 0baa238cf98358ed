#!/usr/bin/env bash
# The Wine runner starts the loader that matches each executable, skips a
# 32-bit program where 32-bit programs cannot run, and fails loudly when a
# prefix cannot be made. Stand-in loaders record how they were started, so
# this runs anywhere, Wine or not.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A minimal PE file: DOS header pointing at the PE signature, the COFF
# header's machine field, and the optional header's magic.
make_pe() {  # make_pe FILE MACHINE-BYTES MAGIC-BYTES
    { printf 'MZ'; head -c 58 /dev/zero; printf '\x40\x00\x00\x00'; printf 'PE\0\0'; printf "$2"
      head -c 18 /dev/zero; printf "$3"; } >"$1"
}
make_pe "$work/x86.exe" '\x4c\x01' '\x0b\x01'
make_pe "$work/x64.exe" '\x64\x86' '\x0b\x02'

# Stand-in loaders: wineboot makes the prefix, anything else prints its name,
# the prefix's architecture and the arguments.
for bits in 32 64; do
    cat >"$work/loader$bits" <<LOADER
#!/usr/bin/env bash
[[ \$1 == wineboot ]] && { [[ -n \${FAIL_WINEBOOT:-} ]] && exit 3; mkdir -p "\$WINEPREFIX"; touch "\$WINEPREFIX/system.reg"; exit 0; }
[[ \$1 == reg ]] && exit 0
echo "loader$bits \$WINEARCH \$WINELOADER \${*##*/}"
LOADER
    chmod +x "$work/loader$bits"
done
printf '#!/bin/sh\nexit 126\n' >"$work/broken32" && chmod +x "$work/broken32"

export CORVANEL_WINE32_LOADER=$work/loader32 CORVANEL_WINE64_LOADER=$work/loader64
export WINESERVER=true DISPLAY=${DISPLAY:-:none}

failed=0
# expect NAME STATUS OUTPUT-PATTERN ENV... -- ARGS...: one run of the runner.
expect() {
    local name=$1 status=$2 pattern=$3; shift 3
    local env=()
    while [[ $1 != -- ]]; do env+=("$1"); shift; done
    shift
    local out code=0
    out=$(env "${env[@]}" CORVANEL_BUILD_DIR="$work/build-$name" "$root/scripts/wine-test-runner" "$@" 2>&1) || code=$?
    if [[ $code == "$status" && $out == $pattern ]]; then
        echo "  ok    $name"
    else
        echo "  FAIL  $name: status $code, output: $out"
        failed=$((failed + 1))
    fi
}

expect pe32plus-64bit-loader 0 "loader64 win64 $work/loader64 x64.exe a b" CORVANEL_RUN_32BIT=no -- "$work/x64.exe" a b
expect pe32-32bit-loader 0 "loader32 win32 $work/loader32 x86.exe" CORVANEL_RUN_32BIT=yes -- "$work/x86.exe"
expect pe32-skipped-when-forced 77 "skipped: this machine cannot run 32-bit programs*" CORVANEL_RUN_32BIT=no -- "$work/x86.exe"
expect probe-runs-the-32bit-loader 77 "skipped: *" CORVANEL_RUN_32BIT= CORVANEL_WINE32_LOADER="$work/broken32" -- "$work/x86.exe"
expect wine-program-like-an-exe 0 "loader64 win64 * winecfg" CORVANEL_RUN_32BIT=no -- --like "$work/x64.exe" winecfg
expect prefix-failure-is-loud 1 "*cannot create the Wine prefix*" FAIL_WINEBOOT=1 -- "$work/x64.exe"

echo "loader choice: $((6 - failed)) passed, $failed failed"
((failed == 0))
