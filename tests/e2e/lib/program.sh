# shellcheck shell=bash
# shellcheck disable=SC2034 # STAND_IN_TARGET and menu_place are for the test scripts
# Vellinor.exe under test in Wine's desktop, for the scripts that drive it
# with real clicks. Source lib/wine.sh and lib/desktop.sh first; after
# wine_init and desktop_start, call program_setup once (program_start_test
# NAME does all three, and ends the test when one fails). Then:
#
#   pack_menu NAME NUMBER LINE...   a menu file NAME.txt (format 1, this
#                               version, menu NUMBER, then the LINEs) packed by
#                               the maker's tool into NAME.reg
#   store_settings [--menu NAME] [VALUE=NUMBER...]
#                               the settings key made anew with those DWORD
#                               values ("LastQuery=now" is the present time)
#                               and the menu NAME; with nothing, no key at all
#                               (a first run)
#   set_menu_url URL            the machine policy that says where the menu
#                               file is fetched from
#   export_settings FILE        the settings key as a .reg file (UTF-16, as
#                               Wine's reg writes it)
#   keep_settings               the settings key as it is now, for
#   expect_settings_unchanged WHEN  a failure when it changed since
#   start_program               starts the program; no browser starts recorded
#   wait_for_program_end SECONDS  program_status is then its exit code
#   stop_program                closes or ends a program still running
#   wait_for_icon               icon_x, icon_y: the middle of its tray icon
#   open_menu BUTTON            clicks the icon; menu_place: the open menu
#   choose INDEX [LEVEL]        clicks the INDEX-th item with text of the
#                               open menu (LEVEL 1) or its open sub-menu (2)
#   choose_from_end INDEX       the same, counting from the last item: 1 is
#                               "E&xit", 2 "&About", 3 "&Update Now" and 4
#                               "Pre&ferences..."
#   expect_program_end WHAT [CODE]  the program ends (with exit code CODE),
#                               no icon left
#   exit_program                "E&xit" from the menu: exit code 0, no icon left
#   open_dialog TITLE NAME      waits for the dialog TITLE: `controls` lists its
#                               controls, `shot` (NAME.png) shows it
#   expect_layout TEMPLATE      the open dialog stands as TEMPLATE puts it
#                               (see check_dialog_layout)
#   expect_default_button ID    ID is the open dialog's default button
#   expect_menu_items COUNT WHAT  the icon's menu shows COUNT items, and a
#                               click elsewhere closes it
#   expect_message_box TEXT [ICON]
#                               a message box with TEXT (line breaks and all)
#                               and an icon, "stop" or "information" when ICON
#                               is given, closed with OK
#   control_text CONTROLS ID    the whole text of the first control ID in
#                               CONTROLS (output of dialog_controls), line
#                               breaks and all
#   expect_no_message_box WHEN
#   expect_no_menu WHEN         no menu is open, well past the double-click
#                               time
#   browser_line WAY ADDRESS    the line the stand-in browser records when the
#                               program opens ADDRESS the WAY way ("shell" or
#                               "new-window")
#   browser_starts              the lines recorded so far
#   expect_browser_starts WHAT LINE...  exactly those lines are recorded
#   run_scenarios [NAME...]     runs each function scenario_NAME of the list
#                               `scenarios` (or only the NAMEs given), one
#                               after the other, and prints the verdicts
#
# Failures are counted by `fail MESSAGE` (lib/wine.sh); the script ends with
# `scenarios_verdict`, whose status is the test's. Every failure names the
# screenshot that shows it.

E2E_PROGRAM=$VELLINOR_WINDOWS_BUILD/app/Vellinor.exe
E2E_STAND_IN=$VELLINOR_WINDOWS_BUILD/tests/e2e/stand-in-browser.exe

passes=0 scenario=setup

# Before wine_init, so that a missing build fails at once.
program_require() {
    local needed
    for needed in "$E2E_PROGRAM" "$E2E_MENU_TOOL" "$E2E_STAND_IN"; do
        if [ ! -f "$needed" ]; then
            echo "FAIL: not built: $needed"
            return 1
        fi
    done
}

# program_start_test NAME: the built programs, a fresh prefix build/e2e/NAME,
# Wine's desktop and the stand-in browser, or the test ends at once.
program_start_test() {
    program_require || exit 1
    wine_start_test "$1"
    if ! desktop_start || ! program_setup; then
        echo "FAIL: no Wine desktop for the program; see $E2E_DIR"
        exit 1
    fi
}

# --- The stand-in browser --------------------------------------------------

# The browser sits where browsers do, in a folder whose name has spaces; a
# second copy sits where a hostile address names it (STAND_IN_TARGET), so
# that an address the program should have refused is caught if it starts
# that copy directly. The new-window way reads the open command of ".htm"
# pages; the shell's way opens http and https addresses with their own
# command. Each command names its way, so a recorded line tells which way
# the program took.
STAND_IN_DIR='C:\Program Files\Stand In'
STAND_IN_TARGET='C:\StandIn\browser.exe'

program_setup() {
    STAND_IN_LOG=$WINEPREFIX/drive_c/Program\ Files/Stand\ In/browser.log
    STAND_IN_TARGET_LOG=$WINEPREFIX/drive_c/StandIn/browser.log
    mkdir -p "$(dirname "$STAND_IN_LOG")" "$(dirname "$STAND_IN_TARGET_LOG")"
    cp "$E2E_STAND_IN" "$(dirname "$STAND_IN_LOG")/browser.exe"
    cp "$E2E_STAND_IN" "$(dirname "$STAND_IN_TARGET_LOG")/browser.exe"
    local scheme
    {
        printf 'REGEDIT4\n\n'
        printf '[HKEY_CLASSES_ROOT\\.htm]\n@="VellinorTestPage"\n\n'
        printf '[HKEY_CLASSES_ROOT\\.html]\n@="VellinorTestPage"\n\n'
        printf '[HKEY_CLASSES_ROOT\\VellinorTestPage\\shell\\open\\command]\n@="%s"\n\n' \
            "$(reg_string "\"$STAND_IN_DIR\\browser.exe\" --new-window \"%1\"")"
        for scheme in http https; do
            printf '[HKEY_CLASSES_ROOT\\%s\\shell\\open\\command]\n@="%s"\n\n' "$scheme" \
                "$(reg_string "\"$STAND_IN_DIR\\browser.exe\" --shell \"%1\"")"
        done
    } >"$E2E_DIR/stand-in-browser.reg"
    if ! wine_import_reg "$E2E_DIR/stand-in-browser.reg"; then
        echo "the stand-in browser could not be registered" >&2
        return 1
    fi
}

# A string as a .reg file writes it.
reg_string() {
    printf '%s' "$1" | sed 's/\\/\\\\/g; s/"/\\"/g'
}

browser_line() {
    printf '"%s\\browser.exe" --%s "%s"' "$STAND_IN_DIR" "$1" "$2"
}

browser_starts() {
    cat "$STAND_IN_LOG" "$STAND_IN_TARGET_LOG" 2>/dev/null | tr -d '\r'
}

# Waits until the stand-in has recorded COUNT starts.
wait_for_browser_starts() {
    local count=$1 tries
    for ((tries = 0; tries < 150; tries++)); do
        [ "$(browser_starts | wc -l)" -ge "$count" ] && return 0
        sleep 0.2
    done
    return 1
}

expect_browser_starts() {
    local what=$1 expected
    shift
    expected=$(printf '%s\n' "$@")
    if ! wait_for_browser_starts $#; then
        fail "$what: the browser was started $(browser_starts | wc -l) time(s), expected $#:" \
            "$expected; screen: $(desktop_shot "$scenario-no-browser")"
        return 1
    fi
    # A start that should not have happened may come a little after the others.
    sleep 1
    if [ "$(browser_starts)" != "$expected" ]; then
        fail "$what: the browser was started with
$(browser_starts | sed 's/^/    /')
expected
$(printf '%s\n' "$@" | sed 's/^/    /')"
        return 1
    fi
}

# --- Menus and settings ------------------------------------------------------

pack_menu() {
    local name=$1 number=$2
    shift 2
    printf '1\n2.1.2.5\n%s\n' "$number" >"$E2E_DIR/$name.txt"
    printf '%s\n' "$@" >>"$E2E_DIR/$name.txt"
    if ! "$E2E_MENU_TOOL" pack "$E2E_DIR/$name.txt" --reg -o "$E2E_DIR/$name.reg" \
        >"$E2E_DIR/$name.pack.log" 2>&1; then
        echo "vellinor-menu could not pack $E2E_DIR/$name.txt: $(cat "$E2E_DIR/$name.pack.log")" >&2
        return 1
    fi
}

store_settings() {
    local menu='' setting name value file=$E2E_DIR/settings.reg
    if [ "${1:-}" = --menu ]; then
        menu=$2
        shift 2
    fi
    {
        printf 'REGEDIT4\n\n[-HKEY_CURRENT_USER\\Software\\Vellinor]\n\n'
        if [ -n "$menu" ] || [ $# -gt 0 ]; then
            printf '[HKEY_CURRENT_USER\\Software\\Vellinor]\n'
            for setting in "$@"; do
                name=${setting%%=*} value=${setting#*=}
                [ "$value" = now ] && value=$(date +%s)
                printf '"%s"=dword:%08x\n' "$name" "$value"
            done
            printf '\n'
        fi
        [ -z "$menu" ] || tail -n +2 "$E2E_DIR/$menu.reg"
    } >"$file"
    wine_import_reg "$file" || fail "the settings could not be stored"
}

set_menu_url() {
    printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Policies\\Vellinor]\n"MenuUrl"="%s"\n' \
        "$(reg_string "$1")" >"$E2E_DIR/policy.reg"
    wine_import_reg "$E2E_DIR/policy.reg" || fail "the menu address policy could not be stored"
}

export_settings() {
    rm -f "$1"
    # reg fails when there is no key, which leaves no file: an answer.
    harness_run reg 0,1 "$WINE" reg export 'HKCU\Software\Vellinor' "$(winepath_of "$1")" >/dev/null
}

keep_settings() {
    export_settings "$E2E_ARTIFACTS/$scenario-before.reg"
}

expect_settings_unchanged() {
    export_settings "$E2E_ARTIFACTS/$scenario-$1.reg"
    cmp -s "$E2E_ARTIFACTS/$scenario-before.reg" "$E2E_ARTIFACTS/$scenario-$1.reg" ||
        fail "$1: the stored settings changed: $E2E_ARTIFACTS/$scenario-{before,$1}.reg"
}

# --- The program -------------------------------------------------------------

program_pid='' program_status=''

start_program() {
    rm -f "$STAND_IN_LOG" "$STAND_IN_TARGET_LOG"
    "$WINE" "$E2E_PROGRAM" </dev/null >>"$E2E_DIR/program.log" 2>&1 &
    program_pid=$!
    program_status=
}

wait_for_program_end() {
    local seconds=$1 tries
    for ((tries = 0; tries < seconds * 5; tries++)); do
        if ! kill -0 "$program_pid" 2>/dev/null; then
            wait "$program_pid"
            program_status=$?
            return 0
        fi
        sleep 0.2
    done
    return 1
}

# After a scenario: a program still running is asked to close, and ended if
# it does not, so that the next scenario starts alone.
stop_program() {
    [ -n "$program_pid" ] || return 0
    if kill -0 "$program_pid" 2>/dev/null; then
        desktop_helper close Vellinor1 >/dev/null
        if ! wait_for_program_end 20; then
            kill -9 "$program_pid" 2>/dev/null
            wait "$program_pid" 2>/dev/null
        fi
    fi
    program_pid=
    # Whatever it left open, such as a menu, goes with a click on the desktop.
    desktop_click 300 300 1
}

icon_x='' icon_y=''
wait_for_icon() {
    local center
    if ! center=$(tray_icon_center Vellinor); then
        fail "no icon with the tooltip \"Vellinor\" appeared in the notification area" \
            "(icons: $(desktop_helper tray-list | tr '\n' ';')); screen: $(desktop_shot "$scenario-no-icon")"
        return 1
    fi
    read -r icon_x icon_y <<<"$center"
}

menu_place=''
open_menu() {
    # Away first, so that the click is a fresh arrival on the icon.
    harness_run xdotool 0 xdotool mousemove 300 300
    desktop_click "$icon_x" "$icon_y" "$1"
    if ! menu_place=$(desktop_helper menus 1 "$DESKTOP_WAIT"); then
        fail "a click with button $1 on the icon opened no menu; screen: $(desktop_shot "$scenario-no-menu")"
        return 1
    fi
}

# menu_item INDEX LEVEL: "X Y" of the item, counted from the end when INDEX
# is negative.
menu_item() {
    local index=$1 level=$2 places place shot items
    places=$(desktop_helper menus "$level" "$DESKTOP_WAIT") || {
        fail "expected $level open menu(s); screen: $(desktop_shot "$scenario-menus")"
        return 1
    }
    place=$(sed -n "${level}p" <<<"$places")
    shot=$(desktop_shot "$scenario-menu-$level")
    items=$(menu_item_centers "$place" "$shot")
    [ "$index" -lt 0 ] && index=$(($(wc -l <<<"$items") + 1 + index))
    if [ "$index" -lt 1 ] || [ -z "$(sed -n "${index}p" <<<"$items")" ]; then
        fail "the menu at $place does not show the item $1; screen: $shot"
        return 1
    fi
    sed -n "${index}p" <<<"$items"
}

choose() {
    local item
    item=$(menu_item "$1" "${2:-1}") || return 1
    # shellcheck disable=SC2086
    desktop_click $item 1
}

choose_from_end() {
    choose "-$1"
}

# expect_program_end WHAT [CODE]: WHAT ended the program, with exit code CODE
# when one is given, and took its icon away.
expect_program_end() {
    if ! wait_for_program_end 30; then
        fail "$1 did not end the program; screen: $(desktop_shot "$scenario-after-end")"
        return 1
    fi
    [ -z "${2:-}" ] || [ "$program_status" -eq "$2" ] ||
        fail "$1 ended the program with exit code $program_status, expected $2"
    desktop_helper tray Vellinor 0 "$DESKTOP_WAIT" >/dev/null ||
        fail "the icon stayed in the notification area after $1; screen: $(desktop_shot "$scenario-icon-left")"
}

exit_program() {
    open_menu 3 || return 1
    choose_from_end 1 || return 1
    expect_program_end '"E&xit"' 0
}

# The helper prints a text's line breaks as they are, so a line that does not
# start like a control's line goes on the text of the control before it.
control_text() {
    awk -F'\t' -v id="$2" '
        NF >= 5 && $1 ~ /^-?[0-9]+$/ && $3 ~ /^-?[0-9]+ -?[0-9]+ [0-9]+ [0-9]+$/ {
            if (inside) exit
            if ($1 == id) {
                inside = 1
                text = $0
                for (i = 0; i < 4; i++) text = substr(text, index(text, "\t") + 1)
                printf "%s", text
            }
            next
        }
        inside { printf "\n%s", $0 }' <<<"$1"
}

# The kind of a message box's icon, told by its colours: Wine draws the stop
# icon red and the information icon blue.
message_box_icon() {
    local left top width height
    read -r left top width height <<<"$2"
    harness_run convert 0 convert "$1" -crop "${width}x${height}+${left}+${top}" +repage \
        -format '%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]' info: |
        awk '{ if ($1 > $3 + 0.1 && $1 > $2 + 0.1) print "stop"
               else if ($3 > $1 + 0.1) print "information"
               else print "unknown" }'
}

expect_no_menu() {
    # A menu that should not open would open within the double-click time.
    if desktop_helper menus 1 2 >/dev/null; then
        fail "$1: a menu is open; screen: $(desktop_shot "$scenario-unexpected-menu")"
        desktop_click 300 300 1
    fi
}

controls='' shot=''
open_dialog() {
    if ! controls=$(dialog_controls "$1"); then
        fail "no dialog \"$1\"; screen: $(desktop_shot "$scenario-no-dialog")"
        return 1
    fi
    shot=$(desktop_shot "$scenario-$2")
    printf '%s\n' "$controls" >"$E2E_ARTIFACTS/$scenario-$2-controls.txt"
}

expect_layout() {
    local differences
    differences=$(check_dialog_layout "$controls" "$1") ||
        fail "the dialog differs from its template; screen: $shot
    ${differences//$'\n'/$'\n'    }"
}

expect_default_button() {
    awk -F'\t' -v id="$1" '$1 == id && $4 ~ /default/' <<<"$controls" | grep -q . ||
        fail "button $1 is not the default button; screen: $shot"
}

expect_menu_items() {
    local shot items
    open_menu 3 || return 1
    shot=$(desktop_shot "$scenario-menu-$1")
    items=$(menu_item_centers "$menu_place" "$shot" | wc -l)
    [ "$items" -eq "$1" ] || fail "$2: the menu shows $items items, expected $1; screen: $shot"
    desktop_click 300 300 1
    desktop_helper menus 0 "$DESKTOP_WAIT" >/dev/null ||
        fail "$2: a click elsewhere left the menu open; screen: $(desktop_shot "$scenario-still-open")"
}

# A message box is titled with the program's name.
expect_message_box() {
    local controls text ok shot icon_place
    if ! controls=$(dialog_controls Vellinor); then
        fail "no message box \"$1\"; screen: $(desktop_shot "$scenario-no-box")"
        return 1
    fi
    shot=$(desktop_shot "$scenario-box")
    text=$(control_text "$controls" 65535)
    [ "$text" = "$1" ] || fail "the message box says \"$text\", expected \"$1\"; screen: $shot"
    icon_place=$(awk -F'\t' '$1 == 1088 { print $3; exit }' <<<"$controls")
    if [ -z "$icon_place" ]; then
        fail "the message box shows no icon; screen: $shot"
    elif [ -n "${2:-}" ] && [ "$(message_box_icon "$shot" "$icon_place")" != "$2" ]; then
        fail "the message box's icon is not the $2 icon" \
            "($(message_box_icon "$shot" "$icon_place")); screen: $shot"
    fi
    ok=$(awk -F'\t' '$2 == "Button" && $5 == "OK" { print $1; exit }' <<<"$controls")
    if [ -z "$ok" ]; then
        fail "the message box has no OK button: $controls"
        return 1
    fi
    click_control Vellinor "$ok"
    desktop_helper wait-no-window --class '#32770' Vellinor "$DESKTOP_WAIT" ||
        fail "the message box stayed open after OK"
}

expect_no_message_box() {
    if desktop_helper wait-window --visible --class '#32770' Vellinor 1 >/dev/null; then
        fail "$1: a message box appeared: $(dialog_controls Vellinor | awk -F'\t' '$1 == 65535 { print $5 }');" \
            "screen: $(desktop_shot "$scenario-unexpected-box")"
        return 1
    fi
}

# --- Scenarios -------------------------------------------------------------

# shellcheck disable=SC2154 # the test script lists its scenarios
run_scenarios() {
    for scenario in "${scenarios[@]}"; do
        if [ $# -gt 0 ] && [[ " $* " != *" $scenario "* ]]; then
            continue
        fi
        scenario_failed=0
        local started=$SECONDS
        if desktop_helper tray Vellinor 0 0 >/dev/null; then
            "scenario_$scenario"
        else
            fail "an icon of an earlier program is still shown: $(desktop_helper tray-list | tr '\n' ';')"
        fi
        stop_program
        fail_if_harness_failed
        if [ "$scenario_failed" -eq 0 ]; then
            echo "PASS: $scenario ($((SECONDS - started)) s)"
            passes=$((passes + 1))
        fi
    done
}

scenarios_verdict() {
    scenario=end fail_if_harness_failed
    echo "$passes scenario(s) passed, $failures failure(s); screenshots in $E2E_ARTIFACTS"
    [ "$failures" -eq 0 ]
}
