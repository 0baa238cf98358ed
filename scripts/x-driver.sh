# x-driver.sh: drives the running Corvanel.exe under Wine with real X input,
# and reads its test dialog from outside through the inspector. Sourced by
# the end-to-end tests and by scripts/run; needs DISPLAY, xdotool and a
# win32 build folder.
#
#   driver_init BUILD_DIR        paths of Corvanel.exe, the inspector and the runner
#   driver_program EXE TITLE     drives another program's dialog of that title instead
#   driver_start [ARGS...]       starts the program in the background (APP_PID)
#   driver_wait_dialog           waits until the dialog is shown; its X window in DIALOG_XID
#   driver_focus                 gives the dialog the X input focus (there is no window manager)
#   driver_state                 reads the dialog into STATE[key] (text, focus, popup, tip, rectangles)
#   driver_expect KEY VALUE [S]  waits up to S seconds (default 10) until STATE[KEY] is VALUE
#   driver_keys KEY...           presses keys (xdotool key names)
#   driver_type TEXT             types text
#   driver_click_day YYYY-MM-DD  clicks that day in the open calendar
#   driver_wait_exit [S]         waits for the program to end; its status in APP_STATUS

# shellcheck source=wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

driver_init() {
    local build=$1
    DRIVER_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    DRIVER_RUNNER=$DRIVER_ROOT/scripts/wine-test-runner
    DRIVER_APP=$build/app/Corvanel.exe
    DRIVER_INSPECTOR=$build/tests/app/corvanel_inspector.exe
    DRIVER_TITLE="About Corvanel"
    export CORVANEL_BUILD_DIR=$build CORVANEL_DIALOG_TITLE=$DRIVER_TITLE
    declare -gA STATE=()
}

driver_program() {
    DRIVER_APP=$1
    DRIVER_TITLE=$2
    export CORVANEL_DIALOG_TITLE=$DRIVER_TITLE
}

driver_start() {
    "$DRIVER_RUNNER" "$DRIVER_APP" "$@" &
    APP_PID=$!
}

driver_inspect() {
    "$DRIVER_RUNNER" "$DRIVER_INSPECTOR" "$@" 2>/dev/null | tr -d '\r'
}

driver_wait_dialog() {
    driver_inspect wait-dialog 60000 >/dev/null || return 1
    DIALOG_XID=
    local i
    for ((i = 0; i < 100; i++)); do
        DIALOG_XID=$(xdotool search --onlyvisible --name "^$DRIVER_TITLE\$" 2>/dev/null | head -1)
        [[ -n $DIALOG_XID ]] && return 0
        sleep 0.1
    done
    return 1
}

driver_focus() {
    xdotool windowfocus --sync "$DIALOG_XID" 2>/dev/null || xdotool windowfocus "$DIALOG_XID"
    sleep 0.2
}

driver_state() {
    STATE=()
    local line
    while IFS= read -r line; do
        [[ $line == *=* ]] && STATE[${line%%=*}]=${line#*=}
    done < <(driver_inspect state)
}

driver_expect() {
    local key=$1 value=$2 seconds=${3:-10} waited=0
    while :; do
        driver_state
        [[ ${STATE[$key]-} == "$value" ]] && return 0
        ((waited >= seconds * 4)) && return 1
        sleep 0.25
        waited=$((waited + 1))
    done
}

driver_keys() { xdotool key --delay 60 "$@"; }

driver_type() { xdotool type --delay 80 "$1"; }

driver_click_day() {
    local point
    point=$(driver_inspect day "$1") || return 1
    # shellcheck disable=SC2086
    xdotool mousemove --sync $point click 1
}

driver_wait_exit() {
    local seconds=${1:-20} i
    for ((i = 0; i < seconds * 10; i++)); do
        if ! kill -0 "$APP_PID" 2>/dev/null; then
            wait "$APP_PID"
            APP_STATUS=$?
            return 0
        fi
        sleep 0.1
    done
    APP_STATUS=timeout
    return 1
}

# Ends the program if it is still running (after a failed step).
driver_stop() {
    if [[ -n ${APP_PID-} ]] && kill -0 "$APP_PID" 2>/dev/null; then
        kill "$APP_PID" 2>/dev/null
        wait "$APP_PID" 2>/dev/null
    fi
    WINEPREFIX=${WINEPREFIX_OVERRIDE:-$CORVANEL_BUILD_DIR/wineprefix} wineserver -k 2>/dev/null || true
}
