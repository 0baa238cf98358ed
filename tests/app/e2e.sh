#!/usr/bin/env bash
# End-to-end tests of Corvanel.exe under Wine with real X keyboard and mouse
# input (xdotool) on the display, reading the dialog from outside with the
# inspector. One CTest entry; without a display it starts a virtual one.
#
#   tests/app/e2e.sh BUILD_DIR
set -uo pipefail
build=$(cd "${1:?usage: e2e.sh BUILD_DIR}" && pwd)
if [[ -z ${DISPLAY:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build"
fi
# shellcheck source=../../scripts/x-driver.sh
source "$(dirname "$0")/../../scripts/x-driver.sh"
driver_init "$build"
if ! wine_can_run "$DRIVER_APP"; then
    echo "skipped: $WINE_NO_32BIT_REASON"
    exit 77
fi

passed=0
failed=0
shots=$build/tests/app/e2e-failures
check() {  # check DESCRIPTION COMMAND...: one expectation
    local what=$1; shift
    if "$@"; then
        echo "  ok    $what"
        passed=$((passed + 1))
    else
        echo "  FAIL  $what (state: $(declare -p STATE 2>/dev/null | cut -c1-300))"
        failed=$((failed + 1))
        mkdir -p "$shots"
        import -window root "$shots/$(date +%H%M%S)-${what//[^a-zA-Z0-9]/_}.png" 2>/dev/null || true
    fi
}
field_is() { driver_expect text "$1"; }
# Before checking that something stays as it was: let the keys be handled.
settle() { sleep 1; }
focus_is() { driver_expect focus "$1"; }
# After the calendar closed: the keys typed next reach the field. BackSpace
# takes the last digit off the field's date TEXT, typing it puts it back.
types_on() {
    driver_keys End BackSpace
    check "... and the keys typed next reach the field" field_is "${1:0:9}"
    driver_type "${1:9}"
    check "... up to the last digit" field_is "$1"
}

# The popup's top-left corner is the field's bottom-left corner.
popup_under_field() {
    driver_state
    local field popup
    IFS=, read -r -a field <<<"${STATE[field_rect]}"
    IFS=, read -r -a popup <<<"${STATE[popup_rect]}"
    [[ ${STATE[popup]} == open && ${popup[0]} == "${field[0]}" && ${popup[1]} == "${field[3]}" ]]
}

echo "scenario: type, tab, refuse, filter, calendar, Enter on OK"
driver_start
check "the dialog comes up" driver_wait_dialog
driver_focus
check "the field starts empty, the focus on OK" eval 'driver_expect text "" && focus_is 1'
driver_keys Tab
check "Tab moves into the field" focus_is 1000
driver_type 070115
check "the digits stand as typed" field_is 070115
driver_keys Tab
check "070115 then Tab shows 2007-01-15" field_is 2007-01-15
check "... and the focus goes on to OK" focus_is 1
driver_keys Tab
driver_type 070231
driver_keys Tab
settle
check "070231 then Tab keeps the text" field_is 070231
check "... and keeps the focus in the field" focus_is 1000
driver_keys End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
driver_type "a1b9c"
check "letters typed never appear" field_is 19
driver_keys BackSpace BackSpace
check "the field is empty again" field_is ""
driver_keys Down
check "Down opens the calendar" driver_expect popup open
check "... directly under the field" popup_under_field
driver_state
selection=${STATE[calendar_selection]}
day=10
[[ ${selection:8:2} == 10 ]] && day=11
pick=${selection:0:8}$day
check "a click on a day ($pick)" driver_click_day "$pick"
check "... closes the calendar" driver_expect popup closed
check "... and writes the day" field_is "$pick"
check "... with the focus back in the field" focus_is 1000
types_on "$pick"
driver_keys Tab
check "Tab from the picked date goes to OK" focus_is 1
driver_keys Return
check "Enter on OK ends the program" driver_wait_exit
check "... with exit status 0" test "$APP_STATUS" = 0
driver_stop

echo "scenario: the calendar from the keyboard alone"
driver_start
check "the dialog comes up" driver_wait_dialog
driver_focus
driver_keys Tab
driver_type 070115
driver_keys F4
check "F4 opens the calendar" driver_expect popup open
check "... after the field's exit rewrote the text" field_is 2007-01-15
driver_keys Escape
check "Escape closes the calendar" driver_expect popup closed
check "... without a change" field_is 2007-01-15
check "... with the focus back in the field" focus_is 1000
types_on 2007-01-15
# open KEY, Right, pick KEY: the calendar opens on the field's day and the
# day after it is written.
for keys in "F4 Return 2007-01-15 2007-01-16" "alt+Down space 2007-01-16 2007-01-17"; do
    read -r open pick from to <<<"$keys"
    driver_keys "$open"
    check "$open opens the calendar on the field's day" driver_expect calendar_selection "$from"
    driver_keys Right
    check "Right moves the highlight to the next day" driver_expect calendar_selection "$to"
    driver_keys "$pick"
    check "$pick closes the calendar" driver_expect popup closed
    check "... and writes the highlighted day" field_is "$to"
    check "... with the focus back in the field" focus_is 1000
    types_on "$to"
done
for close in F4 alt+Up; do
    driver_keys F4
    check "F4 opens the calendar" driver_expect calendar_selection 2007-01-17
    driver_keys Right
    check "Right moves the highlight" driver_expect calendar_selection 2007-01-18
    driver_keys "$close"
    check "$close closes the calendar" driver_expect popup closed
    check "... without a change" field_is 2007-01-17
    check "... with the focus back in the field" focus_is 1000
    types_on 2007-01-17
done
driver_keys End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
driver_type 200115
driver_keys F4
settle
check "F4 on the refused text 200115 opens nothing" driver_expect popup closed
check "... and leaves the text" field_is 200115
driver_keys BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
driver_keys Escape
check "Escape ends the program" driver_wait_exit
check "... with exit status 0" test "$APP_STATUS" = 0
driver_stop

echo "scenario: Escape"
driver_start
check "the dialog comes up" driver_wait_dialog
driver_focus
driver_keys Tab
driver_type 070115
check "a typed date" field_is 070115
driver_keys Escape
check "Escape ends the program" driver_wait_exit
check "... with exit status 0" test "$APP_STATUS" = 0
driver_stop

echo "scenario: the plain example's due date explains a refusal, then takes a typed date"
driver_program "$build/examples/plain-dialog/plain_dialog.exe" "Plain dialog"
today=$(date +%Y-%m-%d)
year_on=$((${today:0:4} + 1))-${today:5}
[[ ${today:5} == 02-29 ]] && year_on=${year_on%29}28
driver_start
check "the dialog comes up" driver_wait_dialog
driver_focus
check "the focus starts in the due date" focus_is 1000
driver_type 19990101
driver_keys Tab
check "a date before today keeps the focus" focus_is 1000
check "... and a tip says which dates are allowed" driver_expect tip "Choose a date from $today to $year_on."
driver_keys End
check "the next key takes the tip away" driver_expect tip ""
driver_keys BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
driver_type "${today//-/}"
driver_keys Tab
check "today, typed on, is taken in the display form" field_is "$today"
check "... and the focus goes on to the start date" focus_is 1003
driver_keys Escape
check "Escape ends the program" driver_wait_exit
check "... with exit status 0" test "$APP_STATUS" = 0
driver_stop

echo "scenario: the plain example's due date takes quick forms typed with real keys"
week_on=$(date -d "+7 days" +%Y-%m-%d)
driver_start
check "the dialog comes up" driver_wait_dialog
driver_focus
check "the focus starts in the due date" focus_is 1000
driver_type "+7"
check "+7 stands as typed" field_is "+7"
driver_keys Tab
check "+7 then Tab shows the date a week from today" field_is "$week_on"
check "... and the focus goes on to the start date" focus_is 1003
driver_keys shift+Tab End ctrl+a
driver_type d
check "back in the due date, Ctrl+A then d leaves only the d" field_is d
driver_keys Tab
check "d then Tab shows today" field_is "$today"
check "... and the focus goes on to the start date" focus_is 1003
driver_keys Escape
check "Escape ends the program" driver_wait_exit
check "... with exit status 0" test "$APP_STATUS" = 0
driver_stop

echo "scenario: the plain example's due date takes a date in part, then steps a month back"
# Day and month alike (8.8.), read the same in every order of day and month:
# the first such day five weeks on or later, so that it is the nearest one
# and the day a month before it lies in the due date's range too.
soon=$(date -d "+35 days" +%Y-%m-%d)
for ((k = 0; k < 14; k++)); do
    month=$(date -d "$(date +%Y-%m-15) +$k month" +%Y-%m)
    part=$month-${month:5:2}
    [[ $part < "$soon" ]] || break
done
typed="$((10#${month:5:2})).$((10#${month:5:2}))."
month_before=$(date -d "$part -1 month" +%Y-%m-%d)
driver_start
check "the dialog comes up" driver_wait_dialog
driver_focus
check "the focus starts in the due date" focus_is 1000
driver_type "$typed"
check "$typed stands as typed" field_is "$typed"
driver_keys Tab
check "$typed then Tab shows $part" field_is "$part"
check "... and the focus goes on to the start date" focus_is 1003
driver_keys shift+Tab Next
check "back in the due date, PageDown shows $month_before" field_is "$month_before"
driver_keys Escape
check "Escape ends the program" driver_wait_exit
check "... with exit status 0" test "$APP_STATUS" = 0
driver_stop

echo "scenario: the plain example's start date takes weekdays only"
driver_start
check "the dialog comes up" driver_wait_dialog
driver_focus
driver_type "${today//-/}"
driver_keys Tab
check "a due date typed, the focus is in the start date" focus_is 1003
driver_type 20261226
settle
check "a Saturday typed in full does not move the focus on" focus_is 1003
driver_keys Tab
settle
check "... nor does Tab" focus_is 1003
driver_keys BackSpace BackSpace
driver_type 28
check "the Monday after it moves the focus on to the stay's start" focus_is 1004
driver_keys Escape
check "Escape ends the program" driver_wait_exit
check "... with exit status 0" test "$APP_STATUS" = 0
driver_stop

echo "scenario: the plain example's stay refuses an end before its start, and mending the start lets it go"
driver_start
check "the dialog comes up" driver_wait_dialog
driver_focus
driver_type "${today//-/}"
driver_keys Tab Tab
check "a due date typed, Tab twice reaches the stay's start" focus_is 1004
driver_type 2027-01-10
driver_keys Tab
driver_type 2027-01-05
driver_keys Tab
check "an end before the start keeps the focus" focus_is 1005
check "... and a tip names both dates" driver_expect tip "2027-01-05 is before the start, 2027-01-10."
driver_keys shift+Tab
check "the start may still be mended" focus_is 1004
check "... while the end's tip stays" driver_expect tip "2027-01-05 is before the start, 2027-01-10."
driver_keys ctrl+a
driver_type 2027-01-01
driver_keys Tab
check "the mended start goes on to the end" focus_is 1005
check "... and the end's tip has gone" driver_expect tip ""
check "... the end as it was" eval 'driver_inspect items | grep -qxF item_1005=2027-01-05'
driver_keys Tab
check "the end now lets the focus go on to OK" focus_is 1
driver_keys Escape
check "Escape ends the program" driver_wait_exit
check "... with exit status 0" test "$APP_STATUS" = 0
driver_stop

echo "e2e: $passed passed, $failed failed"
((failed == 0))
