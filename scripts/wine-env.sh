# wine-env.sh: which Wine loader runs a Windows executable, and whether this
# machine can run 32-bit programs at all. Sourced by every script that starts
# Wine, so that none of them relies on a distribution wrapper's guess (Debian's
# `wine` picks the 32-bit loader whenever it is installed, even where the
# kernel cannot execute it).
#
#   wine_pe_kind EXE          prints pe32+ (64-bit), pe32 (32-bit) or nothing
#   wine_loader BITS          prints the path of the 32- or 64-bit loader, or nothing
#   wine_loader_for EXE       the loader that matches EXE's PE header
#   wine_can_run_32bit        status 0 when 32-bit programs run here
#   wine_can_run EXE          status 0 when EXE's kind of program runs here
#
# CORVANEL_RUN_32BIT=yes|no forces the answer of the 32-bit probe (the test
# command sets it once per run); CORVANEL_WINE32_LOADER and
# CORVANEL_WINE64_LOADER name the loaders where they are not in Debian's place.

WINE_NO_32BIT_REASON="this machine cannot run 32-bit programs"

wine_pe_kind() {
    local offset magic
    offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
    [[ -n $offset ]] || return 0
    # The optional header's magic: 0x10b for PE32, 0x20b for PE32+.
    magic=$(od -An -tx2 -j$((offset + 24)) -N2 "$1" 2>/dev/null | tr -d ' ')
    case $magic in
        020b) echo pe32+ ;;
        010b) echo pe32 ;;
    esac
}

wine_loader() {
    local override candidates path
    if [[ $1 == 64 ]]; then
        override=${CORVANEL_WINE64_LOADER:-}
        candidates=(/usr/lib/wine/wine64 /usr/lib64/wine/wine64 /opt/wine-stable/bin/wine64)
    else
        override=${CORVANEL_WINE32_LOADER:-}
        candidates=(/usr/lib/wine/wine /usr/lib32/wine/wine /opt/wine-stable/bin/wine)
    fi
    if [[ -n $override ]]; then
        echo "$override"
        return
    fi
    for path in "${candidates[@]}"; do
        [[ -x $path ]] && { echo "$path"; return; }
    done
    [[ $1 == 64 ]] && command -v wine64 2>/dev/null
    return 0
}

wine_loader_for() {
    if [[ $(wine_pe_kind "$1") == pe32+ ]]; then wine_loader 64; else wine_loader 32; fi
}

# The probe is a real attempt: the 32-bit loader is itself a 32-bit program,
# so it starts exactly where the kernel executes 32-bit programs.
wine_can_run_32bit() {
    case ${CORVANEL_RUN_32BIT:-} in
        yes) return 0 ;;
        no) return 1 ;;
    esac
    local loader
    loader=$(wine_loader 32)
    if [[ -n $loader ]] && "$loader" --version >/dev/null 2>&1; then
        CORVANEL_RUN_32BIT=yes
    else
        CORVANEL_RUN_32BIT=no
    fi
    export CORVANEL_RUN_32BIT
    [[ $CORVANEL_RUN_32BIT == yes ]]
}

wine_can_run() {
    [[ $(wine_pe_kind "$1") == pe32+ ]] || wine_can_run_32bit
}
