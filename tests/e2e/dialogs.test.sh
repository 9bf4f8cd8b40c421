#!/usr/bin/env bash
# The preferences dialog and the About box of Vellinor.exe under Wine, driven
# with real clicks and keys: the first run's preferences, which cannot be
# cancelled, and what they store; the preferences from the tray menu, which
# show the stored settings and store nothing unless OK changes something; the
# About box, its texts and title font, and its link, which starts the
# recording stand-in browser; and the tray icon, which opens no menu while
# either dialog is open. The dialogs are compared with their templates, and
# their screenshots are kept among the artifacts.
set -uo pipefail
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib/program.sh
. "$here/lib/program.sh"
program_start_test dialogs


# The maker's web page and contact address are settings of the build under test.
home_page=$(sed -n 's/^VELLINOR_HOME_PAGE:STRING=//p' "$VELLINOR_WINDOWS_BUILD/CMakeCache.txt")
contact=$(sed -n 's/^VELLINOR_CONTACT:STRING=//p' "$VELLINOR_WINDOWS_BUILD/CMakeCache.txt")
copyright=$(sed -n 's/^#define VELLINOR_COPYRIGHT "\(.*\)"$/\1/p' "$E2E_REPO/res/Vellinor.rc")
[ -n "$home_page" ] && [ -n "$contact" ] && [ -n "$copyright" ] ||
    { echo "FAIL: the build's web page, contact address or copyright line is unknown" && exit 1; }

pack_menu one-site 41 'BEGIN Sites' "&Home${tab}http://example.test/home.htm" END
preferences='Vellinor Preferences'
about='About Vellinor'

# Template 133 without its Cancel button, which the first run hides, and with it.
preferences_template_without_cancel="1${tab}OK${tab}175 7 50 14
65535${tab}Menu Updates${tab}7 7 160 79
65535${tab}How often do you want to check the server for menu updates?${tab}13 18 141 16
1012${tab}&Never (manual checks)${tab}44 40 89 10
1005${tab}Once a &day${tab}44 50 53 10
1006${tab}Once a &week${tab}44 60 59 10
1007${tab}Once a &month${tab}44 70 61 10
65535${tab}Web Browser${tab}7 91 160 41
1017${tab}&Use existing web browser window${tab}15 104 122 10
1018${tab}&Always open a new web browser window${tab}15 116 145 10
1015${tab}&Prompt before checking for a new menu${tab}7 140 142 10
1009${tab}P&rompt before making an Internet connection${tab}7 155 158 10
65535${tab}${tab}195 145 - -"

# expect_checked WHAT ID...: exactly the buttons ID... of the open dialog
# are checked.
expect_checked() {
    local what=$1 shown
    shift
    shown=$(awk -F'\t' '$2 == "Button" && $4 ~ /(^|,)checked(,|$)/ { print $1 }' <<<"$controls" | sort | xargs)
    [ "$shown" = "$(printf '%s\n' "$@" | sort | xargs)" ] ||
        fail "$what: the checked buttons are [$shown], expected [$*]; screen: $shot"
}

# click_all TITLE NAME ID...: clicks the controls, then reads the dialog anew.
click_all() {
    local title=$1 name=$2 id
    shift 2
    for id in "$@"; do
        click_control "$title" "$id"
    done
    open_dialog "$title" "$name"
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
        desktop_helper windows '#32770' "$1" 1 0 >/dev/null || fail "button $button on the icon closed \"$1\""
    done
}

# The settings key's values as NAME=DATA words, sorted; nothing when there is
# no key.
stored_values() {
    reg_query 'HKCU\Software\Vellinor' | awk 'NF == 3 { print $1 "=" $3 }' | sort | xargs
}

# start_from_menu NEW-WINDOW INDEX: the program on stored settings (weekly,
# NEW-WINDOW, the connect prompt only), then the INDEX-th item from the end.
start_from_menu() {
    start_with one-site "$1" 0 1 2 now && wait_for_icon && open_menu 3 && choose "$2"
}

# No settings key: the preferences come first and can only be left with OK
# (not with Escape or the close box), which stores what differs from the
# built-in settings and only that; then the setup dialog asks to connect, and
# its "E&xit" ends the program.
scenario_first_run() {
    store_settings
    start_program
    open_dialog "$preferences" first-run || return
    expect_layout "$preferences_template_without_cancel"
    expect_state 2 '!visible'
    # Weekly, the existing window, both prompts.
    expect_checked "the built-in settings" 1006 1017 1015 1009
    desktop_helper keys "$preferences" Escape
    expect_dialog_stays "$preferences" Escape
    desktop_helper close "$preferences"
    expect_dialog_stays "$preferences" "the close box"
    [ -z "$(stored_values)" ] || fail "settings were stored before OK: $(stored_values)"
    click_all "$preferences" changed 1007 1009
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
    start_from_menu 1 -4 || return
    open_dialog "$preferences" preferences || return
    expect_layout "$preferences_template_without_cancel"$'\n'"2${tab}Cancel${tab}175 24 50 14"
    expect_state 1 default
    expect_no_menu_from_icon "$preferences"
    local way
    for way in Cancel Escape close-box; do
        open_dialog "$preferences" "before-$way" || return
        expect_checked "opened before $way" 1006 1018 1009
        click_all "$preferences" "changed-before-$way" 1007 1017 1015 1009
        expect_checked "all four changed" 1007 1017 1015
        case $way in
        Cancel) close_with "$preferences" 2 Cancel ;;
        Escape) desktop_helper keys "$preferences" Escape && expect_dialog_closes "$preferences" Escape ;;
        close-box) desktop_helper close "$preferences" && expect_dialog_closes "$preferences" "the close box" ;;
        esac
        expect_settings_unchanged "after-$way"
        open_menu 3 && choose -4 || return
    done
    open_dialog "$preferences" after-all || return
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
    start_from_menu "$2" -2 || return
    open_dialog "$about" about || return
    expect_layout "1${tab}OK${tab}97 92 50 14
65535${tab}${tab}7 7 - -
65535${tab}${copyright}${tab}44 35 126 8
1013${tab}Vellinor${tab}43 7 187 19
65535${tab}Version 2.1.2${tab}44 26 42 8
1015${tab}${contact}${tab}7 75 227 12
1019${tab}${home_page}${tab}78 56 84 13"
    expect_state 1 default
    [ "$(control_field 1015 2)" = Edit ] || fail "the contact address is not an edit control"
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
    desktop_helper keys "$about" x y z
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

scenario_about_box_new_window() {
    about_box new-window 1
}

scenario_about_box_shell_way() {
    about_box shell 0
}

scenarios=(first_run preferences_from_the_menu about_box_new_window about_box_shell_way)
run_scenarios "$@"
