# shellcheck shell=bash
# Wine's virtual desktop for the end-to-end tests that drive a program through
# its windows, menus and notification-area icon with real mouse clicks.
# Source lib/wine.sh first; after wine_start_test a test calls desktop_start
# once, and then:
#
#   desktop_helper ARGS...      tests/e2e/helpers' desktop-helper in the desktop
#                               (its commands are listed in its source)
#   desktop_shot NAME           saves the screen as NAME.png among the test's
#                               artifacts and prints the file's path
#   desktop_click X Y [BUTTON [COUNT]]
#                               a real click of BUTTON (1 left, 3 right) at X Y
#   click_control TITLE ID      clicks the middle of the dialog's control ID
#                               (0: the dialog's client area; see below)
#   press_keys TITLE KEY...     presses the keys (as xdotool names them) in the
#                               dialog TITLE
#   close_with TITLE ID WHAT    clicks the control ID until the dialog TITLE
#                               has gone
#   menu_item_centers PLACE SHOT
#                               the middle "X Y" of every item with text in the
#                               menu at PLACE (a line of `desktop_helper menus`),
#                               top to bottom, as SHOT (a screenshot) shows them
#
# Every program started with the prefix runs in one shared desktop, "Default",
# with Wine's taskbar, so that a helper process sees the windows of the
# program under test and the icons of its notification area. A helper that
# only waits keeps the desktop open between the programs of a test.

DESKTOP_HELPER=$VELLINOR_WINDOWS_BUILD/tests/e2e/desktop-helper.exe
# Generous: every wait polls and ends as soon as it sees what it waits for,
# and a loaded machine can take many seconds to start a Wine program.
DESKTOP_WAIT=${DESKTOP_WAIT:-60}

desktop_start() {
    reg_import desktop '[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"
"EnableShell"="1"' || return 1
    # The desktop takes its settings when it is created: let the server that
    # stored them end before anything is started in the desktop.
    wine_wait
    xvfb_start || return 1
    "$WINE" "$DESKTOP_HELPER" stay >"$E2E_DIR/desktop-stay.log" 2>&1 &
    desktop_helper windows Shell_TrayWnd '' 1 "$DESKTOP_WAIT" all >/dev/null
}

# Its answers are 0 (found, done) and 1 (a wait ran out, nothing matched).
desktop_helper() {
    harness_run "desktop helper" 0,1 "$WINE" "$DESKTOP_HELPER" "$@" </dev/null
}

desktop_shot() {
    harness_run screenshot 0 import -display "$DISPLAY" -window root "$E2E_ARTIFACTS/$1.png" &&
        echo "$E2E_ARTIFACTS/$1.png"
}

desktop_click() {
    harness_run xdotool 0 xdotool mousemove "$1" "$2" click --repeat "${4:-1}" --delay 120 "${3:-1}"
}

# ID 0 is the dialog's client area: it is clicked in its top left corner,
# where no control stands, which makes the dialog the window that has the
# keyboard.
click_control() {
    local left top width height
    read -r left top width height < <(desktop_helper controls "$1" "$DESKTOP_WAIT" |
        awk -F'\t' -v id="$2" '$1 == id { print $3; exit }')
    [ -n "${height:-}" ] || { fail "no control $2 in the dialog \"$1\"" && return 1; }
    [ "$2" -ne 0 ] || width=4 height=4
    desktop_click "$((left + width / 2))" "$((top + height / 2))"
}

press_keys() {
    click_control "$1" 0 && harness_run xdotool 0 xdotool key --delay 150 "${@:2}"
}

# A loaded machine can lose a click on a window that has just come up: the
# click is repeated while the dialog stays, and one that never closes it
# still fails.
close_with() {
    local until=$((SECONDS + DESKTOP_WAIT))
    click_control "$1" "$2" || return 1
    until desktop_helper windows '#32770' "$1" 0 15; do
        ((SECONDS < until)) || { fail "$3 left the dialog \"$1\" open; screen: $(desktop_shot "${scenario:-}-still-open")" && return 1; }
        ! desktop_helper controls "$1" 0 >/dev/null || click_control "$1" "$2"
    done
}

# The items are found in the picture rather than computed from menu metrics:
# each item's text is a band of dark rows, and separators have no dark pixels.
# Only the left part of the menu is looked at, where the captions start, so
# that a tooltip near the menu's right edge cannot join two bands.
menu_item_centers() {
    local left top width height inset=3
    read -r left top width height <<<"$1"
    local band_width=$(((width - 2 * inset) * 6 / 10)) band_height=$((height - 2 * inset))
    harness_run convert 0 convert "$2" -crop "${band_width}x${band_height}+$((left + inset))+$((top + inset))" \
        +repage -colorspace gray -threshold 25% -negate -scale "1x${band_height}!" -depth 8 txt:- |
        awk -F'[ ,:()]+' -v x="$((left + width / 3))" -v top="$((top + inset))" '
            NR == 1 { next }
            $4 > 0 {
                # Rows closer than 4 pixels belong to one caption (its underline too).
                if (first != "" && $2 - last >= 4) { print x, top + int((first + last) / 2); first = "" }
                if (first == "") first = $2
                last = $2
            }
            END { if (first != "") print x, top + int((first + last) / 2) }'
}
