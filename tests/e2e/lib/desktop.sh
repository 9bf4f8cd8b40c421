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
    wine_import_reg "$settings" || return 1
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

# Its answers are 0 (found, done) and 1 (a wait ran out, nothing matched).
desktop_helper() {
    harness_run "desktop helper" 0,1 "$WINE" "$DESKTOP_HELPER" "$@" </dev/null
}

desktop_shot() {
    local path=$E2E_ARTIFACTS/$1.png
    harness_run screenshot 0 import -display "$DISPLAY" -window root "$path" && echo "$path"
}

desktop_click() {
    local x=$1 y=$2 button=${3:-1} count=${4:-1}
    harness_run xdotool 0 xdotool mousemove "$x" "$y" click --repeat "$count" --delay 120 "$button"
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
    harness_run convert 0 convert "$2" -crop "${band_width}x${band_height}+$((left + inset))+$((top + inset))" +repage \
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

# check_dialog_layout CONTROLS EXPECTED compares a dialog as shown (CONTROLS,
# the output of dialog_controls) with its template. EXPECTED has a line per
# control: "ID<TAB>TEXT<TAB>X Y WIDTH HEIGHT" in dialog units, "- -" for the
# size of a control that takes the size of its picture. The dialog's base
# units are measured on its widest and tallest controls; every control must
# then stand where its dialog units put it, to a pixel or two, and be shown.
# Prints one line per difference (and the base units); returns 1 on any.
check_dialog_layout() {
    awk -F'\t' '
        function abs(v) { return v < 0 ? -v : v }
        NR == FNR {
            split($3, place, " ")
            if ($1 == 0) { cx = place[1]; cy = place[2]; next }
            n++; id[n] = $1; text[n] = $5; state[n] = $4
            x[n] = place[1] - cx; y[n] = place[2] - cy; w[n] = place[3]; h[n] = place[4]
            next
        }
        {
            split($3, unit, " ")
            m++; eid[m] = $1; etext[m] = $2
            ex[m] = unit[1]; ey[m] = unit[2]; ew[m] = unit[3]; eh[m] = unit[4]
            if (ew[m] != "-" && ew[m] > widest) { widest = ew[m]; widestAt = m }
            if (eh[m] != "-" && eh[m] > tallest) { tallest = eh[m]; tallestAt = m }
        }
        function find(i,   k) {
            for (k = 1; k <= n; k++)
                if (!(k in used) && id[k] == eid[i] && text[k] == etext[i]) { used[k] = 1; return k }
            return 0
        }
        END {
            for (i = 1; i <= m; i++) found[i] = find(i)
            if (!found[widestAt] || !found[tallestAt]) { print "cannot measure the base units"; exit 1 }
            bx = w[found[widestAt]] * 4 / ew[widestAt]
            by = h[found[tallestAt]] * 8 / eh[tallestAt]
            printf "base units %.2f x %.2f\n", bx, by
            bad = 0
            for (i = 1; i <= m; i++) {
                k = found[i]
                if (!k) { printf "control %s \"%s\" is missing\n", eid[i], etext[i]; bad = 1; continue }
                if (state[k] !~ /visible/) { printf "control %s \"%s\" is hidden\n", eid[i], etext[i]; bad = 1 }
                wantX = ex[i] * bx / 4; wantY = ey[i] * by / 8
                wantW = ew[i] == "-" ? w[k] : ew[i] * bx / 4; wantH = eh[i] == "-" ? h[k] : eh[i] * by / 8
                if (abs(x[k] - wantX) > 2 || abs(y[k] - wantY) > 2 || abs(w[k] - wantW) > 2 || abs(h[k] - wantH) > 2) {
                    printf "control %s \"%s\" at %d,%d %dx%d pixels, its template puts it at %d,%d %dx%d\n",
                        eid[i], etext[i], x[k], y[k], w[k], h[k], wantX, wantY, wantW, wantH
                    bad = 1
                }
            }
            exit bad
        }' <(printf '%s\n' "$1") <(printf '%s\n' "$2")
}
