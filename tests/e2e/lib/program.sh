# shellcheck shell=bash
# shellcheck disable=SC2034 # controls, shot, menu_place are for the test scripts
# Vellinor.exe under test in Wine's desktop (lib/desktop.sh), driven with
# real mouse clicks on its notification-area icon, its menus and its dialogs.
# Sourcing this file sources lib/wine.sh, lib/desktop.sh and
# lib/http_server.sh too; program_start_test NAME makes the prefix, the
# desktop and the stand-in browser, or ends the test. Then:
#
#   pack_menu NAME NUMBER LINE...   a menu file NAME.txt (format 1, this
#                               version, menu NUMBER, then the LINEs) packed by
#                               the maker's tool into NAME.reg
#   store_settings [--menu NAME] [VALUE=NUMBER...]
#                               the settings key made anew with those DWORD
#                               values ("LastQuery=now" is the present time)
#                               and the menu NAME; with nothing, no key at all
#   start_with MENU NEW-WINDOW PROMPT-CHECK PROMPT-CONNECT INTERVAL LAST-QUERY
#                               store_settings with those, and start_program
#   set_menu_url URL [ROOT]     the policy under ROOT (HKEY_LOCAL_MACHINE unless
#                               named) naming the menu's address; none when URL
#                               is empty. A new test's program is refused at once
#   setting NAME                the stored value NAME (reg_value)
#   expect_stored_menu NAME WHAT  "MenuData" is NAME.txt as the maker's tool
#                               packs it
#   keep_settings               the settings key as it is now, for
#   expect_settings_unchanged WHEN  a failure when it changed since
#   start_program               starts the program; no browser starts recorded
#   wait_for_icon               icon_x, icon_y: the middle of its tray icon
#   click_icon BUTTON [COUNT]   a fresh click on the icon, the pointer away first
#   open_menu BUTTON            clicks the icon; menu_place: the open menu
#   choose INDEX [LEVEL]        clicks the INDEX-th item with text of the open
#                               menu (LEVEL 1) or its open sub-menu (2);
#                               negative counts from the end: -1 "E&xit",
#                               -2 "&About", -3 "&Update Now", -4 "Pre&ferences..."
#   expect_program_end WHAT [CODE]  the program ends (with exit code CODE),
#                               no icon left
#   exit_program                "E&xit" from the menu: exit code 0, no icon left
#   open_dialog TITLE NAME      waits for the dialog TITLE: `controls` lists its
#                               controls, `shot` (NAME.png) shows it
#   control_field ID FIELD      the FIELD-th field of the control ID in
#                               `controls` (3 its place, 4 its state, 5 its text)
#   expect_layout NUMBER [CHANGE...]  the open dialog is as the program's
#                               dialog template NUMBER makes it: each control's
#                               class, place, text, default button and being
#                               shown, but for the CHANGEs the program makes:
#                               "ID=TEXT" a text it sets, "hidden:ID" one it hides
#   expect_checked WHAT ID...   exactly the buttons ID... of the open dialog
#                               are checked
#   expect_menu_items COUNT WHAT  the icon's menu shows COUNT items, and a
#                               click elsewhere closes it
#   expect_message_box TEXT [ICON]  a message box with TEXT and an icon ("stop"
#                               or "information"), closed with OK
#   expect_no_message_box WHEN, expect_no_menu WHEN
#   browser_line WAY ADDRESS    the line the stand-in browser records when the
#                               program opens ADDRESS the WAY way ("shell" or
#                               "new-window")
#   expect_browser_starts WHAT LINE...  exactly those lines are recorded
#   run_scenarios [NAME...]     runs each function scenario_NAME of the list
#                               `scenarios` (or only the NAMEs given), and
#                               ends the test with the verdict
#
# Every failure names the screenshot that shows it.

# shellcheck source=tests/e2e/lib/wine.sh
. "$(dirname -- "${BASH_SOURCE[0]}")/wine.sh"
# shellcheck source=tests/e2e/lib/desktop.sh
. "$(dirname -- "${BASH_SOURCE[0]}")/desktop.sh"
# shellcheck source=tests/e2e/lib/http_server.sh
. "$(dirname -- "${BASH_SOURCE[0]}")/http_server.sh"

E2E_PROGRAM=$VELLINOR_WINDOWS_BUILD/app/Vellinor.exe
tab=$'\t'
passes=0 scenario=setup

program_start_test() {
    local needed
    for needed in "$E2E_PROGRAM" "$E2E_MENU_TOOL" "$DESKTOP_HELPER"; do
        [ -f "$needed" ] || { echo "FAIL: not built: $needed" && exit 1; }
    done
    wine_start_test "$1"
    # A tool that failed on the way (regedit on a full disk, say) is named.
    desktop_start && stand_in_browser_setup || { fail "no Wine desktop for the program; see $E2E_DIR" && exit 1; }
    # Nothing goes beyond this machine unless a test serves a menu.
    set_menu_url http://127.0.0.1:9/velweb/sites.txt
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

stand_in_browser_setup() {
    STAND_IN_LOGS=("$WINEPREFIX/drive_c/Program Files/Stand In/browser.log" "$WINEPREFIX/drive_c/StandIn/browser.log")
    local log shell
    for log in "${STAND_IN_LOGS[@]}"; do
        mkdir -p "${log%/*}" && cp "$VELLINOR_WINDOWS_BUILD/tests/e2e/stand-in-browser.exe" "${log%/*}/browser.exe" || return 1
    done
    shell=$(reg_string "$(browser_line shell %1)")
    reg_import stand-in-browser "[HKEY_CLASSES_ROOT\\.htm]
@=\"VellinorTestPage\"

[HKEY_CLASSES_ROOT\\VellinorTestPage\\shell\\open\\command]
@=\"$(reg_string "$(browser_line new-window %1)")\"

[HKEY_CLASSES_ROOT\\http\\shell\\open\\command]
@=\"$shell\"

[HKEY_CLASSES_ROOT\\https\\shell\\open\\command]
@=\"$shell\""
}

# A string as a .reg file writes it.
reg_string() {
    printf '%s' "$1" | sed 's/\\/\\\\/g; s/"/\\"/g'
}

browser_line() {
    printf '"%s\\browser.exe" --%s "%s"' "$STAND_IN_DIR" "$1" "$2"
}

browser_starts() {
    cat "${STAND_IN_LOGS[@]}" 2>/dev/null | tr -d '\r'
}

expect_browser_starts() {
    local what=$1 expected
    shift
    expected=$(printf '%s\n' "$@")
    wait_until 30 "[ \$(browser_starts | wc -l) -ge $# ]"
    # A start that should not have happened may come a little after the others.
    sleep 1
    [ "$(browser_starts)" = "$expected" ] ||
        fail "$what: the browser was started with [$(browser_starts | tr '\n' ';')], expected [$expected];" \
            "screen: $(desktop_shot "$scenario-browser")"
}

# --- Menus and settings ------------------------------------------------------

pack_menu() {
    local name=$1 number=$2
    shift 2
    printf '%s\n' 1 2.1.2.5 "$number" "$@" >"$E2E_DIR/$name.txt"
    "$E2E_MENU_TOOL" pack "$E2E_DIR/$name.txt" --reg -o "$E2E_DIR/$name.reg" >&2 ||
        { echo "FAIL: vellinor-menu could not pack $E2E_DIR/$name.txt" && exit 1; }
}

store_settings() {
    local menu='' setting value
    [ "${1:-}" != --menu ] || { menu=$2 && shift 2; }
    {
        printf 'REGEDIT4\n\n[-HKEY_CURRENT_USER\\Software\\Vellinor]\n\n'
        [ -z "$menu$*" ] || printf '[HKEY_CURRENT_USER\\Software\\Vellinor]\n'
        for setting in "$@"; do
            value=${setting#*=}
            printf '"%s"=dword:%08x\n' "${setting%%=*}" "${value/#now/$(date +%s)}"
        done
        printf '\n'
        [ -z "$menu" ] || tail -n +2 "$E2E_DIR/$menu.reg"
    } >"$E2E_DIR/settings.reg"
    reg_import settings || fail "the settings could not be stored"
}

start_with() {
    store_settings --menu "$1" OpenNewBrowserWindow="$2" PromptBeforeCheck="$3" PromptBeforeConnect="$4" \
        QueryInterval="$5" LastQuery="$6"
    keep_settings
    start_program
}

set_menu_url() {
    local key="${2:-HKEY_LOCAL_MACHINE}\\Software\\Policies\\Vellinor"
    reg_import policy "[-$key]
${1:+
[$key]
\"MenuUrl\"=\"$(reg_string "$1")\"}" || fail "the menu address policy could not be stored"
}

setting() {
    reg_value 'HKCU\Software\Vellinor' "$1"
}

# A new menu is stored after its message box has closed, so this waits a
# little for it.
expect_stored_menu() {
    local expected
    expected=$(packed_hex "$E2E_DIR/$1.txt")
    wait_until 10 '[ "$(setting MenuData)" = "$expected" ]' && return 0
    setting MenuData >"$E2E_ARTIFACTS/$scenario-MenuData.hex"
    fail "$2: \"MenuData\" is not $1.txt as vellinor-menu packs it: $E2E_ARTIFACTS/$scenario-MenuData.hex"
}

keep_settings() {
    reg_query 'HKCU\Software\Vellinor' >"$E2E_ARTIFACTS/$scenario-before.txt"
}

expect_settings_unchanged() {
    reg_query 'HKCU\Software\Vellinor' >"$E2E_ARTIFACTS/$scenario-$1.txt"
    cmp -s "$E2E_ARTIFACTS/$scenario-before.txt" "$E2E_ARTIFACTS/$scenario-$1.txt" ||
        fail "$1: the stored settings changed: $E2E_ARTIFACTS/$scenario-{before,$1}.txt"
}

# --- The program -------------------------------------------------------------

program_pid='' program_status=''
start_program() {
    rm -f "${STAND_IN_LOGS[@]}"
    "$WINE" "$E2E_PROGRAM" </dev/null >>"$E2E_DIR/program.log" 2>&1 &
    program_pid=$!
}

wait_for_program_end() {
    wait_until "$1" '! kill -0 "$program_pid" 2>/dev/null' || return 1
    wait "$program_pid"
    program_status=$?
}

# After a scenario: a program still running is asked to close, and ended if
# it does not, so that the next scenario starts alone; whatever it left open,
# such as a menu, goes with a click on the desktop.
stop_program() {
    if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
        desktop_helper close Vellinor1 >/dev/null
        wait_for_program_end 20 || { kill -9 "$program_pid" && wait "$program_pid"; } 2>/dev/null
    fi
    program_pid=
    desktop_click 300 300
}

icon_x='' icon_y=''
wait_for_icon() {
    local left top width height
    read -r left top width height < <(desktop_helper tray Vellinor 1 "$DESKTOP_WAIT") ||
        { fail "no icon with the tooltip \"Vellinor\" appeared; screen: $(desktop_shot "$scenario-no-icon")" && return 1; }
    icon_x=$((left + width / 2)) icon_y=$((top + height / 2))
}

# Away first, so that the click is a fresh arrival on the icon.
click_icon() {
    harness_run xdotool 0 xdotool mousemove 300 300
    desktop_click "$icon_x" "$icon_y" "$1" "${2:-1}"
}

menus() {
    desktop_helper windows '#32768' '' "$1" "$2"
}

menu_place=''
open_menu() {
    click_icon "$1"
    # Under load the helper has answered "none" at once with the menu on the
    # screen: an answer that soon is looked for again.
    local asked=$SECONDS
    menu_place=$(menus 1 "$DESKTOP_WAIT") || { ((SECONDS - asked < 10)) && menu_place=$(menus 1 "$DESKTOP_WAIT"); } ||
        { fail "button $1 on the icon opened no menu; screen: $(desktop_shot "$scenario-no-menu")" && return 1; }
}

# menu_shot NAME PLACE: shot, the picture NAME.png, and items, the menu's items
# in it. A menu is shown before it is painted: the picture is taken again
# until it shows items.
menu_shot() {
    local picture=$scenario-$1 at=$2 before=''
    wait_until 20 'shot=$(desktop_shot "$picture") && items=$(menu_item_centers "$at" "$shot") &&
        [ -n "$items" ] && [ "$items" = "$before" ] || { before=$items && false; }'
}

choose() {
    local level=${2:-1} place shot items item
    # The sub-menu is the menu that is not where the icon's opened.
    place=$(menus "$level" "$DESKTOP_WAIT" | awk -v first="$menu_place" -v level="$level" '(level == 1) == ($0 == first)')
    menu_shot "menu-$level" "$place"
    item=$(awk -v n="$1" '{ item[NR] = $0 } END { if (n < 0) n += NR + 1; if (n in item) print item[n] }' <<<"$items")
    [ -n "$item" ] || { fail "menu $level at ${place:-(none)} does not show the item $1; screen: $shot" && return 1; }
    # shellcheck disable=SC2086 # the item's middle, X and Y
    desktop_click $item
}

expect_program_end() {
    wait_for_program_end 30 || { fail "$1 did not end the program; screen: $(desktop_shot "$scenario-after-end")" && return 1; }
    [ -z "${2:-}" ] || [ "$program_status" -eq "$2" ] ||
        fail "$1 ended the program with exit code $program_status, expected $2"
    desktop_helper tray Vellinor 0 "$DESKTOP_WAIT" >/dev/null ||
        fail "the icon stayed in the notification area after $1; screen: $(desktop_shot "$scenario-icon-left")"
}

exit_program() {
    open_menu 3 && choose -1 && expect_program_end '"E&xit"' 0
}

expect_menu_items() {
    local shot items
    open_menu 3 || return 1
    menu_shot "menu-$1" "$menu_place"
    items=$(wc -l <<<"$items")
    [ "$items" -eq "$1" ] || fail "$2: the menu shows $items items, expected $1; screen: $shot"
    desktop_click 300 300
    menus 0 "$DESKTOP_WAIT" >/dev/null || fail "$2: a click elsewhere left the menu open; screen: $(desktop_shot "$scenario-still-open")"
}

# A menu that should not open would open within the double-click time.
expect_no_menu() {
    ! menus 1 2 >/dev/null || { fail "$1: a menu is open; screen: $(desktop_shot "$scenario-unexpected-menu")" && desktop_click 300 300; }
}

# --- Dialogs -----------------------------------------------------------------

controls='' shot=''
open_dialog() {
    controls=$(desktop_helper controls "$1" "$DESKTOP_WAIT") ||
        { fail "no dialog \"$1\"; screen: $(desktop_shot "$scenario-no-dialog")" && return 1; }
    shot=$(desktop_shot "$scenario-$2")
    printf '%s\n' "$controls" >"$E2E_ARTIFACTS/$scenario-$2-controls.txt"
}

control_field() {
    awk -F'\t' -v id="$1" -v field="$2" '$1 == id { print $field; exit }' <<<"$controls"
}

# The template's dialog is made by the desktop helper beside the open one, so
# the two must agree to the pixel.
expect_layout() {
    local number=$1 expected differences
    shift
    # shellcheck disable=SC2046 # the open dialog's client area: left, top
    expected=$(desktop_helper template "$(winepath_of "$E2E_PROGRAM")" "$number" \
        $(head -n1 <<<"$controls" | cut -f3 | cut -d' ' -f1,2) | awk -F'\t' -v OFS='\t' '
            NR == FNR { if (sub(/^hidden:/, "")) hidden[$0]; else if (/=/) text[$0 + 0] = substr($0, index($0, "=") + 1); next }
            $1 in hidden { sub(/^visible/, "hidden", $4) }
            $1 in text { $5 = text[$1] }
            1' <(printf '%s\n' "$@") -)
    differences=$(diff <(printf '%s\n' "$expected") <(sed 's/,checked//' <<<"$controls")) ||
        fail "the dialog differs from its template $number (<: the template, >: the dialog); screen: $shot
    ${differences//$'\n'/$'\n'    }"
}

expect_checked() {
    local what=$1 shown
    shift
    shown=$(awk -F'\t' '$2 == "Button" && $4 ~ /(^|,)checked(,|$)/ { print $1 }' <<<"$controls" | sort | xargs)
    [ "$shown" = "$(printf '%s\n' "$@" | sort | xargs)" ] ||
        fail "$what: the checked buttons are [$shown], expected [$*]; screen: $shot"
}

# A message box is titled with the program's name. The kind of its icon is
# told by the colours: Wine draws the stop icon red and the information icon
# blue.
expect_message_box() {
    local left top width height icon
    open_dialog Vellinor box || return 1
    [ "$(control_field 65535 5)" = "$1" ] || fail "the message box says \"$(control_field 65535 5)\", expected \"$1\"; screen: $shot"
    read -r left top width height < <(control_field 1088 3)
    icon=$(harness_run convert 0 convert "$shot" -crop "${width:-1}x${height:-1}+${left:-0}+${top:-0}" +repage \
        -format '%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]' info: |
        awk '{ print ($1 > $3 + 0.1 && $1 > $2 + 0.1) ? "stop" : ($3 > $1 + 0.1) ? "information" : "none" }')
    [ -n "${height:-}" ] && [ "$icon" = "${2:-$icon}" ] || fail "the message box shows not the ${2:-} icon but ${icon:-none}; screen: $shot"
    close_with Vellinor "$(awk -F'\t' '$2 == "Button" && $5 == "OK" { print $1; exit }' <<<"$controls")" "OK of the message box"
}

expect_no_message_box() {
    ! desktop_helper windows '#32770' Vellinor 1 1 >/dev/null ||
        fail "$1: a message box appeared; screen: $(desktop_shot "$scenario-unexpected-box")"
}

# --- Scenarios -------------------------------------------------------------

# shellcheck disable=SC2154 # the test script lists its scenarios
run_scenarios() {
    for scenario in "${scenarios[@]}"; do
        [ $# -eq 0 ] || [[ " $* " == *" $scenario "* ]] || continue
        scenario_failed=0
        local started=$SECONDS
        if desktop_helper tray Vellinor 0 "$DESKTOP_WAIT" >/dev/null; then
            "scenario_$scenario"
        else
            fail "an icon of an earlier program is still shown; screen: $(desktop_shot "$scenario-icon-before")"
        fi
        stop_program
        fail_if_harness_failed
        [ "$scenario_failed" -ne 0 ] || { echo "PASS: $scenario ($((SECONDS - started)) s)" && passes=$((passes + 1)); }
    done
    scenario=end fail_if_harness_failed
    echo "$passes scenario(s) passed, $failures failure(s); screenshots in $E2E_ARTIFACTS"
    [ "$failures" -eq 0 ]
    exit
}
