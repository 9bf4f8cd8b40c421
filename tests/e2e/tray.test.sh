#!/usr/bin/env bash
# Vellinor.exe under Wine, driven as a user drives it: real clicks on its icon
# in the taskbar's notification area and in its menus. Each scenario starts
# the program on a menu stored in the registry beforehand (with the maker's
# tool), acts, and checks the effects: the icon and its tooltip, the menus
# shown, the browser starts recorded by a stand-in browser, the message boxes,
# the exit code. Screenshots are kept among the artifacts.
set -uo pipefail
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib/wine.sh
. "$here/lib/wine.sh"
# shellcheck source=tests/e2e/lib/desktop.sh
. "$here/lib/desktop.sh"

program=$VELLINOR_WINDOWS_BUILD/app/Vellinor.exe
menu_tool=$VELLINOR_NATIVE_BUILD/tools/vellinor-menu
stand_in=$VELLINOR_WINDOWS_BUILD/tests/e2e/stand-in-browser.exe
for needed in "$program" "$menu_tool" "$stand_in"; do
    if [ ! -f "$needed" ]; then
        echo "FAIL: not built: $needed"
        exit 1
    fi
done

wine_init tray || {
    echo "FAIL: no Wine prefix; see $E2E_DIR/wineboot.log"
    exit 1
}
desktop_start || {
    echo "FAIL: no Wine desktop; see $E2E_DIR"
    exit 1
}

failures=0 passes=0 scenario=
fail() {
    echo "FAIL: $scenario: $*"
    failures=$((failures + 1))
    scenario_failed=1
}

# --- The stand-in browser --------------------------------------------------

# The browser sits where browsers do, in a folder whose name has spaces; a
# second copy sits where a hostile address names it, so that an address the
# program should have refused is caught if it starts that copy directly.
browser_dir='C:\Program Files\Stand In'
browser_log=$WINEPREFIX/drive_c/Program\ Files/Stand\ In/browser.log
target_dir='C:\StandIn'
target_log=$WINEPREFIX/drive_c/StandIn/browser.log
mkdir -p "$(dirname "$browser_log")" "$(dirname "$target_log")"
cp "$stand_in" "$(dirname "$browser_log")/browser.exe"
cp "$stand_in" "$(dirname "$target_log")/browser.exe"

# The new-window way reads the open command of ".htm" pages; the shell's way
# opens http and https addresses with their own command. Each command names
# its way, so a recorded line tells which way the program took.
reg_text() { printf '%s' "$1" | sed 's/\\/\\\\/g; s/"/\\"/g'; }
{
    printf 'REGEDIT4\n\n[HKEY_CLASSES_ROOT\\.htm]\n@="VellinorTestPage"\n\n'
    printf '[HKEY_CLASSES_ROOT\\.html]\n@="VellinorTestPage"\n\n'
    printf '[HKEY_CLASSES_ROOT\\VellinorTestPage\\shell\\open\\command]\n@="%s"\n\n' \
        "$(reg_text "\"$browser_dir\\browser.exe\" --new-window \"%1\"")"
    for scheme in http https; do
        printf '[HKEY_CLASSES_ROOT\\%s\\shell\\open\\command]\n@="%s"\n\n' "$scheme" \
            "$(reg_text "\"$browser_dir\\browser.exe\" --shell \"%1\"")"
    done
} >"$E2E_DIR/browser.reg"
"$WINE" regedit /S "$E2E_DIR/browser.reg" || {
    echo "FAIL: the stand-in browser could not be registered"
    exit 1
}

# The line the stand-in records for ADDRESS opened the WAY way.
browser_line() {
    printf '"%s\\browser.exe" --%s "%s"' "$browser_dir" "$1" "$2"
}

# Every browser start so far, from both copies.
browser_starts() {
    cat "$browser_log" "$target_log" 2>/dev/null | tr -d '\r'
}

# Waits until the stand-in has recorded COUNT starts.
wait_for_browser_starts() {
    local count=$1 tries
    for ((tries = 0; tries < 300; tries++)); do
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
        fail "$what: the browser was started $(browser_starts | wc -l) time(s), expected $#: $expected"
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

# --- Menus stored beforehand ---------------------------------------------

tab=$'\t'
menu_file() {
    printf '1\n2.1.2.5\n%s\n' "$1"
    shift
    printf '%s\n' "$@"
}
# The first entry a sub-menu, with sites in it; a site after it.
menu_file 37 'BEGIN Sites' 'BEGIN &Reference' "Episodes${tab}http://example.test/episodes.htm" \
    "Cast${tab}${tab}https://example.test/cast.htm" END - "&News${tab}http://example.test/news.htm" \
    END >"$E2E_DIR/submenu-first.txt"
# The first entry a site.
menu_file 38 'BEGIN Sites' "&Home${tab}http://example.test/home.htm" 'BEGIN &Reference' \
    "Episodes${tab}http://example.test/episodes.htm" END END >"$E2E_DIR/site-first.txt"
# Addresses that must not start a program, in a sub-menu, and a safe site.
menu_file 39 'BEGIN Sites' 'BEGIN &Hostile' "Quote${tab}http://example.test/q\" --evil \"x" \
    "File${tab}file:///C:/StandIn/browser.exe" "Drive${tab}${target_dir}\\browser.exe" END \
    "&Safe${tab}http://example.test/safe.htm" END >"$E2E_DIR/hostile.txt"
# A root without entries (the empty line, which is skipped, makes the file
# long enough to be taken).
menu_file 40 'BEGIN Sites of a menu with no entries' '' END >"$E2E_DIR/empty.txt"
for menu in submenu-first site-first hostile empty; do
    if ! "$menu_tool" pack "$E2E_DIR/$menu.txt" --reg -o "$E2E_DIR/$menu.reg" \
        >"$E2E_DIR/$menu.pack.log" 2>&1; then
        echo "FAIL: vellinor-menu could not pack $E2E_DIR/$menu.txt: $(cat "$E2E_DIR/$menu.pack.log")"
        exit 1
    fi
done

# --- The program -------------------------------------------------------------

program_pid= program_status=

# start_program MENU NEW-WINDOW: a settings key of its own with the stored MENU,
# no scheduled checks and no prompts, OpenNewBrowserWindow = NEW-WINDOW; no
# browser starts recorded yet. Then the program is started.
start_program() {
    local menu=$1 new_window=$2 settings=$E2E_DIR/settings.reg
    {
        printf 'REGEDIT4\n\n[-HKEY_CURRENT_USER\\Software\\Vellinor]\n\n'
        printf '[HKEY_CURRENT_USER\\Software\\Vellinor]\n'
        printf '"PromptBeforeCheck"=dword:00000000\n"PromptBeforeConnect"=dword:00000000\n'
        printf '"OpenNewBrowserWindow"=dword:%08x\n"QueryInterval"=dword:00000000\n' "$new_window"
        printf '"LastQuery"=dword:%08x\n\n' "$(date +%s)"
        tail -n +2 "$E2E_DIR/$menu.reg"
    } >"$settings"
    "$WINE" regedit /S "$settings" || fail "the settings could not be stored"
    rm -f "$browser_log" "$target_log"
    "$WINE" "$program" </dev/null >>"$E2E_DIR/program.log" 2>&1 &
    program_pid=$!
    program_status=
}

# Waits until the program has ended, and keeps its exit code.
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

icon_x= icon_y=
wait_for_icon() {
    local center
    if ! center=$(tray_icon_center Vellinor); then
        fail "no icon with the tooltip \"Vellinor\" appeared in the notification area" \
            "(icons: $(desktop_helper tray-list | tr '\n' ';')); screen: $(desktop_shot "$scenario-no-icon")"
        return 1
    fi
    read -r icon_x icon_y <<<"$center"
}

# open_menu BUTTON: clicks the icon; menu_place is the open menu's place.
menu_place= menu_shot=
open_menu() {
    # Away first, so that the click is a fresh arrival on the icon.
    xdotool mousemove --sync 300 300
    desktop_click "$icon_x" "$icon_y" "$1"
    if ! menu_place=$(desktop_helper menus 1 "$DESKTOP_WAIT"); then
        fail "a click with button $1 on the icon opened no menu; screen: $(desktop_shot "$scenario-no-menu")"
        return 1
    fi
}

# menu_item INDEX PLACE SHOT: the middle of the INDEX-th item with text (from 1).
menu_item() {
    menu_item_centers "$2" "$3" | sed -n "${1}p"
}

# choose INDEX [LEVEL]: clicks the INDEX-th item with text of the menu at
# LEVEL (1: the tray menu, 2: the sub-menu open in it).
choose() {
    local index=$1 level=${2:-1} places place shot item
    places=$(desktop_helper menus "$level" "$DESKTOP_WAIT") || {
        fail "expected $level open menu(s); screen: $(desktop_shot "$scenario-menus")"
        return 1
    }
    place=$(sed -n "${level}p" <<<"$places")
    shot=$(desktop_shot "$scenario-menu-$level")
    item=$(menu_item "$index" "$place" "$shot")
    if [ -z "$item" ]; then
        fail "the menu at $place shows fewer than $index items; screen: $shot"
        return 1
    fi
    # shellcheck disable=SC2086
    desktop_click $item 1
}

# Ends the program with "E&xit", the last item of its menu.
exit_program() {
    open_menu 3 || return 1
    local count
    count=$(menu_item_centers "$menu_place" "$(desktop_shot "$scenario-exit")" | wc -l)
    choose "$count" || return 1
    if ! wait_for_program_end 30; then
        fail "\"E&xit\" did not end the program; screen: $(desktop_shot "$scenario-after-exit")"
        return 1
    fi
    [ "$program_status" -eq 0 ] || fail "\"E&xit\" ended the program with exit code $program_status, expected 0"
    desktop_helper tray Vellinor 0 "$DESKTOP_WAIT" >/dev/null ||
        fail "the icon stayed in the notification area after \"E&xit\"; screen: $(desktop_shot "$scenario-icon-left")"
}

# expect_message_box TEXT: a message box titled with the program's name shows
# TEXT with the stop icon; it is closed with its OK button.
expect_message_box() {
    local controls ok
    if ! controls=$(dialog_controls Vellinor); then
        fail "no message box \"$1\"; screen: $(desktop_shot "$scenario-no-box")"
        return 1
    fi
    desktop_shot "$scenario-box" >/dev/null
    [ "$(awk -F'\t' '$1 == 65535 { print $5 }' <<<"$controls")" = "$1" ] ||
        fail "the message box says \"$(awk -F'\t' '$1 == 65535 { print $5 }' <<<"$controls")\", expected \"$1\""
    awk -F'\t' '$1 == 1088' <<<"$controls" | grep -q . || fail "the message box shows no icon"
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

scenario_icon_and_tooltip() {
    start_program submenu-first 0
    wait_for_icon || return
    desktop_helper wait-window Vellinor1 "$DESKTOP_WAIT" >/dev/null ||
        fail "no window \"Vellinor1\""
    desktop_helper wait-window --visible Vellinor1 0 >/dev/null &&
        fail "the window \"Vellinor1\" is visible"
    # The tooltip as a user sees it, when the pointer rests on the icon.
    xdotool mousemove --sync "$icon_x" "$icon_y"
    desktop_helper wait-window --visible --class tooltips_class32 '*' "$DESKTOP_WAIT" >/dev/null ||
        fail "no tooltip showed while the pointer rested on the icon"
    desktop_shot "$scenario-tooltip" >/dev/null
    exit_program
}

# A left and a right click open the same menu, its bottom-right corner at the
# pointer (Wine may lift a menu out of the taskbar, to just above it); a click
# elsewhere closes it, choosing nothing.
scenario_clicks_open_the_menu() {
    start_program submenu-first 0
    wait_for_icon || return
    local button shot left top width height items taskbar_top
    read -r _ taskbar_top _ < <(desktop_helper wait-window --class Shell_TrayWnd "" 0)
    for button in 1 3; do
        open_menu "$button" || return
        shot=$(desktop_shot "$scenario-button-$button")
        read -r left top width height <<<"$menu_place"
        if [ $((left + width - icon_x)) -gt 1 ] || [ $((icon_x - left - width)) -gt 1 ] ||
            [ $((top + height - icon_y)) -gt 1 ] || [ $((top + height)) -lt $((taskbar_top - 1)) ]; then
            fail "button $button: the menu at $menu_place does not end at the pointer $icon_x,$icon_y" \
                "(or just above the taskbar at $taskbar_top); screen: $shot"
        fi
        # Reference, News, then the fixed four.
        items=$(menu_item_centers "$menu_place" "$shot" | wc -l)
        [ "$items" -eq 6 ] || fail "button $button: the menu shows $items items, expected 6; screen: $shot"
        desktop_click 300 300 1
        desktop_helper menus 0 "$DESKTOP_WAIT" >/dev/null ||
            fail "button $button: a click elsewhere left the menu open; screen: $(desktop_shot "$scenario-still-open")"
    done
    expect_no_message_box "after two menus closed without a choice"
    expect_browser_starts "no choice made" || return
    exit_program
}

# choose_site_in_submenu WAY: the first site of the first entry's sub-menu.
choose_site_in_submenu() {
    start_program submenu-first "$2"
    wait_for_icon || return
    open_menu 1 || return
    choose 1 1 || return
    choose 2 2 || return
    desktop_helper menus 0 "$DESKTOP_WAIT" >/dev/null ||
        fail "the menus stayed open after a site was chosen; screen: $(desktop_shot "$scenario-still-open")"
    expect_browser_starts "Cast chosen" "$(browser_line "$1" https://example.test/cast.htm)"
    expect_no_message_box "after a site was opened"
    exit_program
}

scenario_site_in_submenu_shell_way() {
    choose_site_in_submenu shell 0
}

scenario_site_in_submenu_new_window() {
    choose_site_in_submenu new-window 1
}

# A double click opens the first entry when it is a site. The button-up
# before the second click opens the menu as a single click does, and the
# second click may leave it open; the click on the desktop closes it.
scenario_double_click_site_first() {
    start_program site-first 0
    wait_for_icon || return
    xdotool mousemove --sync 300 300
    desktop_click "$icon_x" "$icon_y" 1 2
    expect_browser_starts "double click" "$(browser_line shell http://example.test/home.htm)"
    desktop_click 300 300 1
    exit_program
}

# With a sub-menu first, a double click opens nothing: a site chosen from the
# menu afterwards is the only browser start.
scenario_double_click_submenu_first() {
    start_program submenu-first 0
    wait_for_icon || return
    xdotool mousemove --sync 300 300
    desktop_click "$icon_x" "$icon_y" 1 2
    sleep 3
    desktop_click 300 300 1
    desktop_helper menus 0 "$DESKTOP_WAIT" >/dev/null
    open_menu 1 || return
    choose 2 || return
    expect_browser_starts "double click, then News chosen" \
        "$(browser_line shell http://example.test/news.htm)"
    expect_no_message_box "after the double click"
    exit_program
}

# hostile_addresses WAY NEW-WINDOW: a quote cannot add arguments to the
# browser's command line; a file: address and a drive path are refused with
# message 51, and nothing is started for them.
hostile_addresses() {
    local way=$1
    start_program hostile "$2"
    wait_for_icon || return
    open_menu 1 || return
    choose 1 1 || return
    choose 1 2 || return
    expect_browser_starts "Quote chosen" \
        "$(browser_line "$way" 'http://example.test/q%22%20--evil%20%22x')" || return
    expect_no_message_box "after Quote"
    local item
    for item in 2 3; do
        open_menu 1 || return
        choose 1 1 || return
        choose "$item" 2 || return
        expect_message_box "Failed to execute web browser." || return
    done
    # Whatever they might have started has had the time of two message boxes.
    open_menu 1 || return
    choose 2 || return
    expect_browser_starts "File, Drive, then Safe chosen" \
        "$(browser_line "$way" 'http://example.test/q%22%20--evil%20%22x')" \
        "$(browser_line "$way" http://example.test/safe.htm)"
    exit_program
}

scenario_hostile_addresses_shell_way() {
    hostile_addresses shell 0
}

scenario_hostile_addresses_new_window() {
    hostile_addresses new-window 1
}

# The first-run setup dialog, dialog 134, as its template gives it.
setup_dialog_template=$(printf '%s\n' \
    "1${tab}&Connect${tab}37 68 50 14" \
    "2${tab}E&xit${tab}103 68 50 14" \
    "65535${tab}This is the first time you have run Vellinor. It needs to connect to the server and download menu data.${tab}50 7 134 32" \
    "65535${tab}Please connect to the Internet and press the Connect button when ready.${tab}7 40 177 16" \
    "65535${tab}${tab}7 7 - -")

# A stored menu without top-level entries gives no menu: the setup dialog
# asks to connect, and its "E&xit" ends the program.
scenario_empty_menu_shows_setup() {
    start_program empty 0
    local controls layout
    if ! controls=$(dialog_controls "Vellinor - Setup"); then
        fail "no dialog \"Vellinor - Setup\"; screen: $(desktop_shot "$scenario-no-dialog")"
        return
    fi
    local shot
    shot=$(desktop_shot "$scenario-setup")
    printf '%s\n' "$controls" >"$E2E_ARTIFACTS/$scenario-setup-controls.txt"
    if ! layout=$(check_dialog_layout "$controls" "$setup_dialog_template"); then
        fail "the setup dialog differs from its template; screen: $shot
$(sed 's/^/    /' <<<"$layout")"
    fi
    awk -F'\t' '$1 == 1 && $4 ~ /default/' <<<"$controls" | grep -q . ||
        fail "\"&Connect\" is not the default button; screen: $shot"
    wait_for_icon || return
    click_control "Vellinor - Setup" 2
    if ! wait_for_program_end 30; then
        fail "\"E&xit\" of the setup dialog did not end the program; screen: $(desktop_shot "$scenario-after-exit")"
        return
    fi
    echo "  the setup dialog's \"E&xit\" ended the program with exit code $program_status"
    desktop_helper tray Vellinor 0 "$DESKTOP_WAIT" >/dev/null ||
        fail "the icon stayed in the notification area; screen: $(desktop_shot "$scenario-icon-left")"
}

# When the notification area is made anew, as by a shell that restarts, it
# broadcasts "TaskbarCreated", and the program adds its icon again.
scenario_taskbar_created_restores_icon() {
    start_program submenu-first 0
    wait_for_icon || return
    desktop_helper forget-icon Vellinor1 10 >/dev/null
    if ! desktop_helper tray Vellinor 0 "$DESKTOP_WAIT" >/dev/null; then
        fail "the shell did not drop the icon; the scenario cannot go on"
        return
    fi
    desktop_helper broadcast TaskbarCreated
    if ! desktop_helper tray Vellinor 1 "$DESKTOP_WAIT" >/dev/null; then
        fail "the icon did not come back after \"TaskbarCreated\"; screen: $(desktop_shot "$scenario-no-icon")"
        return
    fi
    wait_for_icon || return
    desktop_shot "$scenario-icon-back" >/dev/null
    exit_program
}

# "E&xit" on its own: the process ends with exit code 0, and its icon and
# hidden window are gone.
scenario_exit() {
    start_program site-first 0
    wait_for_icon || return
    exit_program || return
    desktop_helper wait-no-window Vellinor1 "$DESKTOP_WAIT" || fail "the window \"Vellinor1\" is left"
}

scenarios=(
    icon_and_tooltip
    clicks_open_the_menu
    site_in_submenu_shell_way
    site_in_submenu_new_window
    double_click_site_first
    double_click_submenu_first
    hostile_addresses_shell_way
    hostile_addresses_new_window
    empty_menu_shows_setup
    taskbar_created_restores_icon
    exit
)
for scenario in "${scenarios[@]}"; do
    if [ $# -gt 0 ] && [[ " $* " != *" $scenario "* ]]; then
        continue
    fi
    scenario_failed=0
    if desktop_helper tray Vellinor 0 0 >/dev/null; then
        "scenario_$scenario"
    else
        fail "an icon of an earlier program is still shown: $(desktop_helper tray-list | tr '\n' ';')"
    fi
    stop_program
    if [ "$scenario_failed" -eq 0 ]; then
        echo "PASS: $scenario"
        passes=$((passes + 1))
    fi
done

echo "$passes scenario(s) passed, $failures failure(s); screenshots in $E2E_ARTIFACTS"
[ "$failures" -eq 0 ]
