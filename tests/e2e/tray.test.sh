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
# shellcheck source=tests/e2e/lib/program.sh
. "$here/lib/program.sh"

program_start_test tray

# Should the program ask for a new menu, which none of these scenarios
# does, it gets a refusal at once, and nothing goes beyond this machine.
set_menu_url http://127.0.0.1:9/velweb/sites.txt

tab=$'\t'
# The first entry a sub-menu, with sites in it; a site after it.
pack_menu submenu-first 37 'BEGIN Sites' 'BEGIN &Reference' \
    "Episodes${tab}http://example.test/episodes.htm" "Cast${tab}${tab}https://example.test/cast.htm" \
    END - "&News${tab}http://example.test/news.htm" END || exit 1
# The first entry a site.
pack_menu site-first 38 'BEGIN Sites' "&Home${tab}http://example.test/home.htm" \
    'BEGIN &Reference' "Episodes${tab}http://example.test/episodes.htm" END END || exit 1
# Addresses that must not start a program, in a sub-menu, and a safe site:
# a quote, refused ones (items 2 to 6), a program's name that is a host name
# too, and a web address without a scheme.
pack_menu hostile 39 'BEGIN Sites' 'BEGIN &Hostile' "Quote${tab}http://example.test/q\" --evil \"x" \
    "File${tab}file:///C:/StandIn/browser.exe" "Drive${tab}$STAND_IN_TARGET" \
    "Name${tab}notepad" "Path${tab}..\\..\\windows\\notepad.exe" \
    "Option${tab}--gpu-launcher=notepad" "Program${tab}notepad.exe" \
    "Web${tab}www.example.test/page" END \
    "&Safe${tab}${tab}https://example.test/safe.htm" END || exit 1
refused_hostile_items='2 3 4 5 6'
# A stored root without entries, menu number 40, as earlier versions stored
# one; no menu text is packed as such any more.
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Vellinor]\n"MenuData"=hex:%s\n' \
    ff,ff,01,00,09,00,43,4d,65,6e,75,44,61,74,61,01,00,28,00,00,00,00,00,00 >"$E2E_DIR/empty.reg"

# start_with MENU NEW-WINDOW: the program on the stored MENU, with no checks
# and no prompts, opening sites in a new window when NEW-WINDOW is 1.
start_with() {
    store_settings --menu "$1" PromptBeforeCheck=0 PromptBeforeConnect=0 \
        OpenNewBrowserWindow="$2" QueryInterval=0 LastQuery=now
    keep_settings
    start_program
}

# --- Scenarios -------------------------------------------------------------

scenario_icon_and_tooltip() {
    start_with submenu-first 0
    wait_for_icon || return
    desktop_helper wait-window Vellinor1 "$DESKTOP_WAIT" >/dev/null ||
        fail "no window \"Vellinor1\""
    desktop_helper wait-window --visible Vellinor1 0 >/dev/null &&
        fail "the window \"Vellinor1\" is visible"
    # The tooltip as a user sees it, when the pointer rests on the icon.
    harness_run xdotool 0 xdotool mousemove "$icon_x" "$icon_y"
    desktop_helper wait-window --visible --class tooltips_class32 '*' "$DESKTOP_WAIT" >/dev/null ||
        fail "no tooltip showed while the pointer rested on the icon"
    desktop_shot "$scenario-tooltip" >/dev/null
    # "E&xit" ends the process with exit code 0; its icon and hidden window
    # are gone, and a run that changed nothing stored nothing.
    exit_program || return
    desktop_helper wait-no-window Vellinor1 "$DESKTOP_WAIT" || fail "the window \"Vellinor1\" is left"
    expect_settings_unchanged after-exit
}

# A left and a right click open the same menu, its bottom-right corner at the
# pointer (Wine may lift a menu out of the taskbar, to just above it); a click
# elsewhere closes it, choosing nothing.
scenario_clicks_open_the_menu() {
    start_with submenu-first 0
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

# A double click opens the first entry when it is a site, and shows no menu:
# the menu of a left click waits until it cannot be the first half of one.
scenario_double_click_site_first() {
    start_with site-first 0
    wait_for_icon || return
    harness_run xdotool 0 xdotool mousemove 300 300
    desktop_click "$icon_x" "$icon_y" 1 2
    expect_browser_starts "double click" "$(browser_line shell http://example.test/home.htm)"
    expect_no_menu "after the double click"
    exit_program
}

# With a sub-menu first, a double click does nothing at all: no menu, no
# browser; a site chosen from the menu afterwards is the only browser start.
scenario_double_click_submenu_first() {
    start_with submenu-first 0
    wait_for_icon || return
    harness_run xdotool 0 xdotool mousemove 300 300
    desktop_click "$icon_x" "$icon_y" 1 2
    expect_no_menu "after the double click"
    expect_no_message_box "after the double click"
    open_menu 1 || return
    choose 2 || return
    expect_browser_starts "double click, then News chosen" \
        "$(browser_line shell http://example.test/news.htm)"
    exit_program
}

# Whether a Notepad of this test's prefix runs or has a window.
notepad_runs() {
    desktop_helper wait-window --class Notepad '*' 0 >/dev/null && return 0
    local pid
    for pid in $(pgrep -i notepad); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
            return 0
    done
    return 1
}

# hostile_addresses WAY NEW-WINDOW: a quote cannot add arguments to the
# browser's command line; a file: address, a drive path, a bare program name,
# a relative path and an option are refused with message 51, and nothing is
# started for them; a program's name with a dot reaches the browser only as
# a web address, as does a host name without a scheme. No Notepad starts.
hostile_addresses() {
    local way=$1
    start_with hostile "$2"
    wait_for_icon || return
    open_menu 1 || return
    choose 1 1 || return
    choose 1 2 || return
    expect_browser_starts "Quote chosen" \
        "$(browser_line "$way" 'http://example.test/q%22%20--evil%20%22x')" || return
    expect_no_message_box "after Quote"
    local item
    for item in $refused_hostile_items 7 8; do
        open_menu 1 || return
        choose 1 1 || return
        choose "$item" 2 || return
        [[ " $refused_hostile_items " != *" $item "* ]] ||
            expect_message_box "Failed to execute web browser." || return
    done
    # Whatever they might have started has had the time of five message boxes.
    open_menu 1 || return
    choose 2 || return
    expect_browser_starts "the refused ones, Program, Web, then Safe chosen" \
        "$(browser_line "$way" 'http://example.test/q%22%20--evil%20%22x')" \
        "$(browser_line "$way" http://notepad.exe)" \
        "$(browser_line "$way" http://www.example.test/page)" \
        "$(browser_line "$way" https://example.test/safe.htm)"
    ! notepad_runs || fail "a Notepad was started; screen: $(desktop_shot "$scenario-notepad")"
    expect_no_message_box "after Program, Web and Safe"
    exit_program
}

scenario_hostile_addresses_shell_way() {
    hostile_addresses shell 0
}

scenario_hostile_addresses_new_window() {
    hostile_addresses new-window 1
}

# A browser command whose program path has spaces and no quotes: the path
# runs to its ".exe", so the browser starts, and never "C:\Program.exe",
# which the system could start in its place.
scenario_unquoted_browser_path() {
    local decoy_log=$WINEPREFIX/drive_c/browser.log
    cp "$E2E_STAND_IN" "$WINEPREFIX/drive_c/Program.exe"
    rm -f "$decoy_log"
    printf 'REGEDIT4\n\n[HKEY_CLASSES_ROOT\\VellinorTestPage\\shell\\open\\command]\n@="%s"\n' \
        "$(reg_string "$STAND_IN_DIR\\browser.exe --new-window %1")" >"$E2E_DIR/unquoted.reg"
    wine_import_reg "$E2E_DIR/unquoted.reg" || fail "the unquoted command could not be stored"
    start_with site-first 1
    if wait_for_icon && open_menu 1 && choose 1; then
        expect_browser_starts "Home chosen" \
            "$STAND_IN_DIR\\browser.exe --new-window http://example.test/home.htm"
        expect_no_message_box "after Home"
        [ ! -s "$decoy_log" ] || fail "C:\\Program.exe was started: $(cat "$decoy_log")"
        exit_program
    fi
    rm -f "$WINEPREFIX/drive_c/Program.exe"
    wine_import_reg "$E2E_DIR/stand-in-browser.reg" || fail "the stand-in browser could not be registered again"
}

# The first-run setup dialog, dialog 134, as its template gives it.
setup_dialog_template=$(printf '%s\n' \
    "1${tab}&Connect${tab}37 68 50 14" \
    "2${tab}E&xit${tab}103 68 50 14" \
    "65535${tab}This is the first time you have run Vellinor. It needs to connect to the server and download menu data.${tab}50 7 134 32" \
    "65535${tab}Please connect to the Internet and press the Connect button when ready.${tab}7 40 177 16" \
    "65535${tab}${tab}7 7 - -")

# A stored menu without top-level entries gives no menu: the setup dialog
# asks to connect, the icon opens nothing, and Escape ends the program as
# "E&xit" does.
scenario_empty_menu_shows_setup() {
    start_with empty 0
    open_dialog "Vellinor - Setup" setup || return
    expect_layout "$setup_dialog_template"
    expect_default_button 1
    wait_for_icon || return
    desktop_click "$icon_x" "$icon_y" 3
    desktop_helper menus 1 3 >/dev/null &&
        fail "a click on the icon opened a menu while there is none; screen: $(desktop_shot "$scenario-menu")"
    desktop_helper keys "Vellinor - Setup" Escape
    wait_for_program_end 30 ||
        fail "Escape in the setup dialog did not end the program; screen: $(desktop_shot "$scenario-after-escape")"
    desktop_helper tray Vellinor 0 "$DESKTOP_WAIT" >/dev/null ||
        fail "the icon stayed in the notification area; screen: $(desktop_shot "$scenario-icon-left")"
}

# When the notification area is made anew, as by a shell that restarts, it
# broadcasts "TaskbarCreated", and the program adds its icon again.
scenario_taskbar_created_restores_icon() {
    start_with submenu-first 0
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

scenarios=(
    icon_and_tooltip
    clicks_open_the_menu
    double_click_site_first
    double_click_submenu_first
    hostile_addresses_shell_way
    hostile_addresses_new_window
    unquoted_browser_path
    empty_menu_shows_setup
    taskbar_created_restores_icon
)
run_scenarios "$@"
scenarios_verdict
