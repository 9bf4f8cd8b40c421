# shellcheck shell=bash
# Wine's virtual desktop for the end-to-end tests that drive a program through
# its windows, menus and notification-area icon with real mouse clicks.
# Source lib/wine.sh first; after wine_init a test calls desktop_start once,
# and then:
#
#   desktop_helper ARGS...      runs tests/e2e/helpers' desktop-helper in the
#                               desktop (its commands are listed in its source)
#   desktop_shot NAME           saves the screen as NAME.png among the test's
#                               artifacts and prints the file's path
#   desktop_click X Y [BUTTON [COUNT]]
#                               a real click of BUTTON (1 left, 3 right) at X Y;
#                               COUNT 2 is a double click
#   tray_icon_center TIP        waits for the one icon whose tooltip is TIP and
#                               prints the middle of it, "X Y"
#   menu_item_centers PLACE SHOT
#                               the middle "X Y" of every item with text in the
#                               menu at PLACE (a line of `desktop_helper menus`),
#                               top to bottom, as SHOT (a screenshot) shows them
#   dialog_controls TITLE       waits for the dialog TITLE and prints its
#                               controls (see `desktop-helper controls`)
#   click_control TITLE ID [BUTTON]
#                               clicks the middle of the dialog's control ID
#
# Every program started with the prefix runs in one shared desktop, "Default",
# with Wine's taskbar, so that a helper process sees the windows of the
# program under test and the icons of its notification area. A helper that
# only waits keeps the desktop open between the programs of a test.

DESKTOP_WIDTH=1024
DESKTOP_HEIGHT=768
# Generous: every wait polls and ends as soon as it sees what it waits for,
# and a loaded machine can take many seconds to start a Wine program.
DESKTOP_WAIT=${DESKTOP_WAIT:-60}

desktop_start() {
    DESKTOP_HELPER=$VELLINOR_WINDOWS_BUILD/tests/e2e/desktop-helper.exe
    if [ ! -f "$DESKTOP_HELPER" ]; then
        echo "the desktop helper is not built: $DESKTOP_HELPER" >&2
        return 1
    fi
    local settings=$E2E_DIR/desktop.reg
    cat >"$settings" <<EOF
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="${DESKTOP_WIDTH}x${DESKTOP_HEIGHT}"
"EnableShell"="1"
EOF
    "$WINE" regedit /S "$settings" || return 1
    # The desktop takes its settings when it is created: let the server that
    # stored them end before anything is started in the desktop.
    wine_wait
    xvfb_start || return 1
    "$WINE" "$DESKTOP_HELPER" stay >"$E2E_DIR/desktop-stay.log" 2>&1 &
    if ! desktop_helper wait-window --class Shell_TrayWnd "" "$DESKTOP_WAIT" >/dev/null; then
        echo "Wine's desktop has no taskbar within $DESKTOP_WAIT s" >&2
        return 1
    fi
}

desktop_helper() {
    "$WINE" "$DESKTOP_HELPER" "$@" </dev/null
}

desktop_shot() {
    local path=$E2E_ARTIFACTS/$1.png
    import -display "$DISPLAY" -window root "$path" && echo "$path"
}

desktop_click() {
    local x=$1 y=$2 button=${3:-1} count=${4:-1}
    xdotool mousemove --sync "$x" "$y" click --repeat "$count" --delay 120 "$button"
}

tray_icon_center() {
    local place left top width height
    place=$(desktop_helper tray "$1" 1 "$DESKTOP_WAIT") || return 1
    read -r left top width height <<<"$place"
    echo "$((left + width / 2)) $((top + height / 2))"
}

# The items are found in the picture rather than computed from menu metrics:
# each item's text is a band of dark rows, and separators have no dark pixels.
# Only the left part of the menu is looked at, where the captions start, so
# that a tooltip near the menu's right edge cannot join two bands.
menu_item_centers() {
    local left top width height
    read -r left top width height <<<"$1"
    local inset=3
    local band_width=$(((width - 2 * inset) * 6 / 10)) band_height=$((height - 2 * inset))
    convert "$2" -crop "${band_width}x${band_height}+$((left + inset))+$((top + inset))" +repage \
        -colorspace gray -threshold 25% -negate -scale "1x${band_height}!" -depth 8 txt:- |
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

dialog_controls() {
    desktop_helper controls "$1" "$DESKTOP_WAIT"
}

click_control() {
    local title=$1 id=$2 button=${3:-1} left top width height
    read -r left top width height < <(dialog_controls "$title" | awk -F'\t' -v id="$id" '$1 == id { print $3; exit }')
    if [ -z "${height:-}" ]; then
        echo "no control $id in the dialog \"$title\"" >&2
        return 1
    fi
    desktop_click "$((left + width / 2))" "$((top + height / 2))" "$button"
}
