#!/usr/bin/env bash
# Vellinor.exe under Wine, driven as a user drives it: real clicks on its icon
# in the taskbar's notification area, in its menus and in its dialogs, and
# keys. Each scenario starts the program on a menu stored in the registry
# beforehand (with the maker's tool), acts, and checks the effects: the icon
# and its tooltip, the menus shown, the browser starts recorded by a stand-in
# browser, the message boxes, the exit code; the first run's preferences,
# which cannot be cancelled, and what they store; the preferences from the
# menu, which show the stored settings and store nothing unless OK changes
# something; the About box, its texts and title font, and its link; and the
# icon, which opens no menu while either dialog is open. The dialogs are
# compared with their templates. Screenshots are kept among the artifacts.
set -uo pipefail
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib/program.sh
. "$here/lib/program.sh"
program_start_test tray

# The maker's web page and contact address are settings of the build under test.
home_page=$(sed -n 's/^VELLINOR_HOME_PAGE:STRING=//p' "$VELLINOR_WINDOWS_BUILD/CMakeCache.txt")
contact=$(sed -n 's/^VELLINOR_CONTACT:STRING=//p' "$VELLINOR_WINDOWS_BUILD/CMakeCache.txt")
[ -n "$home_page" ] && [ -n "$contact" ] || { echo "FAIL: the build's web page or contact address is unknown" && exit 1; }

preferences='Vellinor Preferences'
about='About Vellinor'

# The first entry a sub-menu, with sites in it; a site after it.
pack_menu submenu-first 37 'BEGIN Sites' 'BEGIN &Reference' \
    "Episodes${tab}http://example.test/episodes.htm" "Cast${tab}${tab}https://example.test/cast.htm" \
    END - "&News${tab}http://example.test/news.htm" END
# The first entry a site.
pack_menu site-first 38 'BEGIN Sites' "&Home${tab}http://example.test/home.htm" \
    'BEGIN &Reference' "Episodes${tab}http://example.test/episodes.htm" END END
# Addresses that must not start a program, in a sub-menu, and a safe site
# after it: a quote, refused ones (items 2 to 6), a program's name that is a
# host name too, and a web address without a scheme.
pack_menu hostile 39 'BEGIN Sites' 'BEGIN &Hostile' "Quote${tab}http://example.test/q\" --evil \"x" \
    "File${tab}file:///C:/StandIn/browser.exe" "Drive${tab}$STAND_IN_TARGET" \
    "Name${tab}notepad" "Path${tab}..\\..\\windows\\notepad.exe" \
    "Option${tab}--gpu-launcher=notepad" "Program${tab}notepad.exe" \
    "Web${tab}www.example.test/page" END \
    "&Safe${tab}${tab}https://example.test/safe.htm" END
# A stored root without entries, menu number 40, as earlier versions stored
# one; no menu text is packed as such any more.
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Vellinor]\n"MenuData"=hex:%s\n' \
    ff,ff,01,00,09,00,43,4d,65,6e,75,44,61,74,61,01,00,28,00,00,00,00,00,00 >"$E2E_DIR/empty.reg"

# on MENU NEW-WINDOW [PROMPT-CONNECT INTERVAL]: the program on the stored
# MENU, with no check prompt, opening sites in a new window when NEW-WINDOW is
# 1; by default with no connect prompt and no checks.
on() {
    start_with "$1" "$2" 0 "${3:-0}" "${4:-0}" now && wait_for_icon
}

# bold_items PLACE SHOT: which items of the menu at PLACE the screenshot SHOT
# shows in bold: those whose letters' strokes are about two pixels wide (the
# mean length of the short dark runs along their rows), not one.
bold_items() {
    local left width center _ item=0
    read -r left _ width _ <<<"$1"
    while read -r _ center; do
        item=$((item + 1))
        convert "$2" -crop "$((width * 6 / 10))x12+$((left + 3))+$((center - 6))" +repage -colorspace gray \
            -threshold 25% -depth 8 txt:- | awk -F'[ ,:()]+' -v item="$item" '
            function end() { if (run > 0 && run <= 3) { pixels += run; runs++ } run = 0 }
            NR > 1 { if ($1 == 0) end(); if ($3 == 0) run++; else end() }
            END { end(); if (runs && pixels / runs >= 1.7) print item }'
    done < <(menu_item_centers "$1" "$2") | xargs
}

# The icon with its tooltip text and its hidden window; a left and a right
# click open the same menu, the first entry in bold as the default, its
# bottom-right corner at the pointer (Wine may lift a menu out of the taskbar,
# to just above it), and a click elsewhere closes it, choosing nothing. With a
# sub-menu first, a double click does nothing at all. The icon comes back
# after a shell restart, and a site chosen from its menu is the only browser
# start. "E&xit" ends the process with exit code 0, its icon gone, and a run
# that changed nothing stored nothing. (Whether the taskbar pops the tooltip
# up is the taskbar's own affair.)
scenario_icon_clicks_and_exit() {
    on submenu-first 0 || return
    desktop_helper windows '' Vellinor1 1 "$DESKTOP_WAIT" all >/dev/null || fail "no window \"Vellinor1\""
    desktop_helper windows '' Vellinor1 0 0 >/dev/null || fail "the window \"Vellinor1\" is visible"
    local button left top width height taskbar_top bold
    read -r _ taskbar_top _ < <(desktop_helper windows Shell_TrayWnd '' 1 0 all)
    for button in 1 3; do
        # Reference, News, then the fixed four.
        expect_menu_items 6 "button $button" || return
        bold=$(bold_items "$menu_place" "$E2E_ARTIFACTS/$scenario-menu-6.png")
        [ "$bold" = 1 ] || fail "button $button: the menu shows items [$bold] in bold, expected the first alone;" \
            "screen: $E2E_ARTIFACTS/$scenario-menu-6.png"
        read -r left top width height <<<"$menu_place"
        ((left + width - icon_x <= 1 && icon_x - left - width <= 1 && top + height - icon_y <= 1 &&
            top + height >= taskbar_top - 1)) ||
            fail "button $button: the menu at $menu_place does not end at the pointer $icon_x,$icon_y" \
                "(or just above the taskbar at $taskbar_top)"
    done
    click_icon 1 2
    expect_no_menu "after the double click"
    expect_no_message_box "after the double click"
    # A shell that restarts forgets the icon, then says "TaskbarCreated".
    # A program busy for a moment does not answer the lookup of its window.
    wait_until 30 'desktop_helper shell-restart Vellinor1 10' || fail "the shell could not drop the icon"
    wait_for_icon || return
    open_menu 1 && choose 2 || return
    expect_browser_starts "no choice, a double click, then News" "$(browser_line shell http://example.test/news.htm)"
    exit_program || return
    expect_settings_unchanged after-exit
}

# hostile_addresses WAY NEW-WINDOW: a quote cannot add arguments to the
# browser's command line; a file: address, a drive path, a bare program name,
# a relative path and an option are refused with message 51, and nothing is
# started for them; a program's name with a dot reaches the browser only as
# a web address, as does a host name without a scheme. No Notepad starts.
# The sub-menu's sites and the one after it open the WAY way.
hostile_addresses() {
    local way=$1 item pid
    on hostile "$2" || return
    for item in 1 2 3 4 5 6 7 8; do
        open_menu 1 && choose 1 1 && choose "$item" 2 || return
        if [ "$item" -eq 1 ]; then
            expect_browser_starts "Quote chosen" "$(browser_line "$way" 'http://example.test/q%22%20--evil%20%22x')"
        elif [ "$item" -le 6 ]; then
            expect_message_box "Failed to execute web browser." || return
        fi
    done
    # Whatever they might have started has had the time of five message boxes.
    open_menu 1 && choose 2 || return
    expect_browser_starts "the refused ones, Program, Web, then Safe chosen" \
        "$(browser_line "$way" 'http://example.test/q%22%20--evil%20%22x')" \
        "$(browser_line "$way" http://notepad.exe)" "$(browser_line "$way" http://www.example.test/page)" \
        "$(browser_line "$way" https://example.test/safe.htm)"
    for pid in $(pgrep -i notepad); do
        ! tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" ||
            fail "a Notepad was started"
    done
    expect_no_message_box "after Program, Web and Safe"
    exit_program
}

scenario_hostile_addresses_shell_way() { hostile_addresses shell 0; }
scenario_hostile_addresses_new_window() { hostile_addresses new-window 1; }

# A double click opens the first entry when it is a site, and shows no menu:
# the menu of a left click waits until it cannot be the first half of one.
# The browser's command here has a program path with spaces and no quotes:
# the path runs to its ".exe", so the browser starts, and never
# "C:\Program.exe", which the system could start in its place.
scenario_double_click_on_unquoted_browser() {
    cp "$VELLINOR_WINDOWS_BUILD/tests/e2e/stand-in-browser.exe" "$WINEPREFIX/drive_c/Program.exe"
    reg_import unquoted "[HKEY_CLASSES_ROOT\\VellinorTestPage\\shell\\open\\command]
@=\"$(reg_string "$STAND_IN_DIR\\browser.exe --new-window %1")\"" || fail "the unquoted command could not be stored"
    if on site-first 1; then
        click_icon 1 2
        expect_browser_starts "double click" "$STAND_IN_DIR\\browser.exe --new-window http://example.test/home.htm"
        expect_no_menu "after the double click"
        expect_no_message_box "after the double click"
        [ ! -s "$WINEPREFIX/drive_c/browser.log" ] || fail "C:\\Program.exe was started"
        exit_program
    fi
    rm -f "$WINEPREFIX/drive_c/Program.exe"
    reg_import stand-in-browser || fail "the stand-in browser could not be registered again"
}

# A stored menu without top-level entries gives no menu: the setup dialog,
# dialog 134 as its template gives it, asks to connect, the icon opens
# nothing, and Escape ends the program as "E&xit" does.
scenario_empty_menu_shows_setup() {
    on empty 0 || return
    open_dialog "Vellinor - Setup" setup || return
    expect_layout 134
    click_icon 3
    expect_no_menu "a click on the icon while there is no menu"
    press_keys "Vellinor - Setup" Escape
    expect_program_end "Escape in the setup dialog"
}

expect_dialog_stays() {
    ! desktop_helper windows '#32770' "$1" 0 3 || fail "$2 closed the dialog \"$1\""
}

expect_dialog_closes() {
    desktop_helper windows '#32770' "$1" 0 "$DESKTOP_WAIT" ||
        fail "$2 left the dialog \"$1\" open; screen: $(desktop_shot "$scenario-still-open")"
}

# While the dialog TITLE is open, neither a left nor a right click on the
# icon opens a menu, and the dialog stays.
expect_no_menu_from_icon() {
    local button
    for button in 1 3; do
        click_icon "$button"
        expect_no_menu "button $button on the icon while \"$1\" is open"
        expect_dialog_stays "$1" "button $button on the icon"
    done
}

# The settings key's values as NAME=DATA words, sorted; nothing when there is
# no key.
stored_values() {
    reg_query 'HKCU\Software\Vellinor' | awk 'NF == 3 { print $1 "=" $3 }' | sort | xargs
}

# No settings key: the preferences come first and can only be left with OK
# (not with Escape or the close box), which stores what differs from the
# built-in settings and only that; then the setup dialog asks to connect, and
# its "E&xit" ends the program.
scenario_first_run() {
    store_settings
    start_program
    open_dialog "$preferences" first-run || return
    expect_layout 133 hidden:2
    # Weekly, the existing window, both prompts.
    expect_checked "the built-in settings" 1006 1017 1015 1009
    press_keys "$preferences" Escape
    expect_dialog_stays "$preferences" Escape
    desktop_helper close "$preferences"
    expect_dialog_stays "$preferences" "the close box"
    [ -z "$(stored_values)" ] || fail "settings were stored before OK: $(stored_values)"
    click_control "$preferences" 1007 && click_control "$preferences" 1009 && open_dialog "$preferences" changed
    expect_checked "\"Once a &month\" chosen, connect prompt cleared" 1007 1017 1015
    close_with "$preferences" 1 OK
    local expected='PromptBeforeConnect=0x0 QueryInterval=0x3'
    [ "$(stored_values)" = "$expected" ] ||
        fail "after OK the settings key holds [$(stored_values)], expected [$expected]"
    open_dialog "Vellinor - Setup" setup && close_with "Vellinor - Setup" 2 '"E&xit"' || return
    expect_program_end "\"E&xit\" of the setup dialog"
    [ "$(stored_values)" = "$expected" ] ||
        fail "after \"E&xit\" the settings key holds [$(stored_values)]"
}

# From the menu, the dialog shows the stored settings, and the icon opens no
# menu meanwhile; Cancel, Escape and the close box after changes store
# nothing, and the next opening shows the stored settings again; OK without a
# change stores nothing either; the icon's menu opens again afterwards.
scenario_preferences_from_the_menu() {
    on site-first 1 1 2 && open_menu 3 && choose -4 || return
    open_dialog "$preferences" preferences || return
    expect_layout 133
    expect_no_menu_from_icon "$preferences"
    local way id
    for way in Cancel Escape close-box; do
        expect_checked "opened before $way" 1006 1018 1009
        for id in 1007 1017 1015 1009; do click_control "$preferences" "$id"; done
        open_dialog "$preferences" "changed-before-$way"
        expect_checked "all four changed" 1007 1017 1015
        case $way in
        Cancel) close_with "$preferences" 2 Cancel ;;
        Escape) press_keys "$preferences" Escape && expect_dialog_closes "$preferences" Escape ;;
        close-box) desktop_helper close "$preferences" && expect_dialog_closes "$preferences" "the close box" ;;
        esac
        expect_settings_unchanged "after-$way"
        open_menu 3 && choose -4 && open_dialog "$preferences" "after-$way" || return
    done
    expect_checked "opened after Cancel, Escape and the close box" 1006 1018 1009
    close_with "$preferences" 1 OK
    expect_settings_unchanged after-ok
    exit_program
}

# about_box WAY NEW-WINDOW: the About box as its template gives it, with the
# build's texts; the product name drawn as tall as its control; the contact
# address that cannot be edited; and the link, which opens the web page the
# WAY way as often as it is pressed while the box stays open.
about_box() {
    on site-first "$2" 1 2 && open_menu 3 && choose -2 || return
    open_dialog "$about" about || return
    expect_layout 137 "1015=$contact"
    # The caption's capitals fill about seven tenths of a font's cell; the
    # dialog font's would fill about a quarter of this control.
    local left top width height ink first last
    read -r left top width height < <(control_field 1013 3)
    read -r ink first last < <(convert "$shot" -crop "${width}x${height}+${left}+${top}" +repage -colorspace gray \
        -threshold 40% -negate -scale "1x${height}!" -depth 16 txt:- |
        awk -F'[ ,:()]+' 'NR > 1 && $4 > 0 { if (first == "") first = $2; last = $2 }
            END { if (first == "") print 0, -1, -1; else print last - first + 1, first, last }')
    [ "$((ink * 100))" -ge "$((height * 55))" ] && [ "$last" -lt "$((height - 1))" ] ||
        fail "the product name is not drawn as tall as its control: rows $first to $last of $height; screen: $shot"
    click_control "$about" 1015
    press_keys "$about" x y z
    open_dialog "$about" typed || return
    [ "$(control_field 1015 5)" = "$contact" ] || fail "typing changed the contact address to \"$(control_field 1015 5)\""
    expect_no_menu_from_icon "$about"
    click_control "$about" 1019
    expect_browser_starts "the link pressed once" "$(browser_line "$1" "http://$home_page")"
    expect_no_message_box "after the link was pressed"
    click_control "$about" 1019
    expect_browser_starts "the link pressed twice" "$(browser_line "$1" "http://$home_page")" \
        "$(browser_line "$1" "http://$home_page")"
    close_with "$about" 1 OK
    exit_program
}

scenario_about_box_new_window() { about_box new-window 1; }
scenario_about_box_shell_way() { about_box shell 0; }

scenarios=(icon_clicks_and_exit hostile_addresses_shell_way hostile_addresses_new_window
    double_click_on_unquoted_browser empty_menu_shows_setup first_run preferences_from_the_menu
    about_box_new_window about_box_shell_way)
run_scenarios "$@"
