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
# shellcheck source=tests/e2e/lib/wine.sh
. "$here/lib/wine.sh"
# shellcheck source=tests/e2e/lib/desktop.sh
. "$here/lib/desktop.sh"
# shellcheck source=tests/e2e/lib/program.sh
. "$here/lib/program.sh"

program_start_test dialogs

# A first run that is confirmed with "&Connect" would ask for the menu; it
# gets a refusal at once, and nothing goes beyond this machine.
set_menu_url http://127.0.0.1:9/velweb/sites.txt

# The maker's web page and contact address are settings of the build under test.
build_setting() {
    sed -n "s/^$1:STRING=//p" "$VELLINOR_WINDOWS_BUILD/CMakeCache.txt"
}
home_page=$(build_setting VELLINOR_HOME_PAGE)
contact=$(build_setting VELLINOR_CONTACT)
copyright=$(sed -n 's/^#define VELLINOR_COPYRIGHT "\(.*\)"$/\1/p' "$E2E_REPO/res/Vellinor.rc")
if [ -z "$home_page" ] || [ -z "$contact" ] || [ -z "$copyright" ]; then
    echo "FAIL: the build's web page, contact address or copyright line is unknown"
    exit 1
fi

tab=$'\t'
pack_menu one-site 41 'BEGIN Sites' "&Home${tab}http://example.test/home.htm" END || exit 1

preferences='Vellinor Preferences'
about='About Vellinor'

# Template 133 without its Cancel button, which the first run hides, and with it.
preferences_template_without_cancel=$(printf '%s\n' \
    "1${tab}OK${tab}175 7 50 14" \
    "65535${tab}Menu Updates${tab}7 7 160 79" \
    "65535${tab}How often do you want to check the server for menu updates?${tab}13 18 141 16" \
    "1012${tab}&Never (manual checks)${tab}44 40 89 10" \
    "1005${tab}Once a &day${tab}44 50 53 10" \
    "1006${tab}Once a &week${tab}44 60 59 10" \
    "1007${tab}Once a &month${tab}44 70 61 10" \
    "65535${tab}Web Browser${tab}7 91 160 41" \
    "1017${tab}&Use existing web browser window${tab}15 104 122 10" \
    "1018${tab}&Always open a new web browser window${tab}15 116 145 10" \
    "1015${tab}&Prompt before checking for a new menu${tab}7 140 142 10" \
    "1009${tab}P&rompt before making an Internet connection${tab}7 155 158 10" \
    "65535${tab}${tab}195 145 - -")
preferences_template=$(printf '%s\n%s\n' "$preferences_template_without_cancel" \
    "2${tab}Cancel${tab}175 24 50 14")

# Template 137.
about_template=$(printf '%s\n' \
    "1${tab}OK${tab}97 92 50 14" \
    "65535${tab}${tab}7 7 - -" \
    "65535${tab}${copyright}${tab}44 35 126 8" \
    "1013${tab}Vellinor${tab}43 7 187 19" \
    "65535${tab}Version 2.1.2${tab}44 26 42 8" \
    "1015${tab}${contact}${tab}7 75 227 12" \
    "1019${tab}${home_page}${tab}78 56 84 13")

# --- Helpers ---------------------------------------------------------------

# open_dialog TITLE: waits for the dialog; `controls` lists its controls and
# `shot` shows it. A missing dialog is a failure.
controls='' shot=''
open_dialog() {
    if ! controls=$(dialog_controls "$1"); then
        fail "no dialog \"$1\"; screen: $(desktop_shot "$scenario-no-dialog")"
        return 1
    fi
    shot=$(desktop_shot "$scenario-$2")
    printf '%s\n' "$controls" >"$E2E_ARTIFACTS/$scenario-$2-controls.txt"
}

# expect_layout TEMPLATE: the open dialog stands as TEMPLATE puts it.
expect_layout() {
    local differences
    if ! differences=$(check_dialog_layout "$controls" "$1"); then
        fail "the dialog differs from its template; screen: $shot
    ${differences//$'\n'/$'\n'    }"
    fi
}

# expect_checked WHAT ID...: exactly the buttons ID... of the open dialog
# are checked, as `controls` shows them.
expect_checked() {
    local what=$1 shown expected
    shift
    shown=$(awk -F'\t' '$2 == "Button" && $4 ~ /(^|,)checked(,|$)/ { print $1 }' <<<"$controls" | sort | xargs)
    expected=$(printf '%s\n' "$@" | sort | xargs)
    [ "$shown" = "$expected" ] ||
        fail "$what: the checked buttons are [$shown], expected [$expected]; screen: $shot"
}

# read_controls TITLE: `controls` anew, after clicks changed them.
read_controls() {
    controls=$(dialog_controls "$1") || fail "the dialog \"$1\" is gone"
}

dialog_is_open() {
    desktop_helper wait-window --visible --class '#32770' "$1" 0 >/dev/null
}

# expect_dialog_stays TITLE WHAT: WHAT has had time to close the dialog,
# and it is still open.
expect_dialog_stays() {
    if desktop_helper wait-no-window --class '#32770' "$1" 3; then
        fail "$2 closed the dialog \"$1\""
        return 1
    fi
}

expect_dialog_closes() {
    desktop_helper wait-no-window --class '#32770' "$1" "$DESKTOP_WAIT" ||
        fail "$2 left the dialog \"$1\" open; screen: $(desktop_shot "$scenario-still-open")"
}

# click_close_box TITLE: a real click on the close box at the right end of
# the dialog's caption bar, which lies between the window's frame and its
# client area.
click_close_box() {
    local left top width client_top frame caption
    read -r left top width _ < <(desktop_helper wait-window --visible --class '#32770' "$1" 0)
    read -r frame client_top _ < <(dialog_controls "$1" | awk -F'\t' '$1 == 0 { print $3; exit }')
    frame=$((frame - left))
    caption=$((client_top - top - frame))
    desktop_click $((left + width - frame - caption / 2 - 1)) $((top + frame + caption / 2)) 1
}

# expect_no_menu_from_icon TITLE: while the dialog TITLE is open, neither a
# left nor a right click on the icon opens a menu, and the dialog stays.
expect_no_menu_from_icon() {
    local button
    for button in 1 3; do
        xdotool mousemove 300 300
        desktop_click "$icon_x" "$icon_y" "$button"
        if desktop_helper menus 1 3 >/dev/null; then
            fail "button $button on the icon opened a menu while \"$1\" is open;" \
                "screen: $(desktop_shot "$scenario-menu-$button")"
            desktop_click 300 300 1
        fi
        dialog_is_open "$1" ||
            fail "button $button on the icon closed \"$1\"; screen: $(desktop_shot "$scenario-gone-$button")"
    done
}

# The settings key as NAME=VALUE lines, sorted; nothing when there is no key.
stored_values() {
    local file=$E2E_ARTIFACTS/$scenario-$1.reg
    export_settings "$file"
    [ -f "$file" ] || return 0
    iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' |
        sed -n 's/^"\([^"]*\)"=\(.*\)$/\1=\2/p' | sort
}

# The stored settings of the scenarios that open the dialogs from the menu.
store_weekly_new_window_connect_prompt() {
    store_settings --menu one-site PromptBeforeCheck=0 PromptBeforeConnect=1 \
        OpenNewBrowserWindow="${1:-1}" QueryInterval=2 LastQuery=now
}

start_and_open_from_menu() {
    start_program
    wait_for_icon || return 1
    open_menu 3 || return 1
    choose_from_end "$1"
}

expect_settings_unchanged() {
    local when=$1
    export_settings "$E2E_ARTIFACTS/$scenario-$when.reg"
    cmp -s "$E2E_ARTIFACTS/$scenario-before.reg" "$E2E_ARTIFACTS/$scenario-$when.reg" ||
        fail "$when: the stored settings changed: $E2E_ARTIFACTS/$scenario-{before,$when}.reg"
}

# --- Scenarios -------------------------------------------------------------

# No settings key: the preferences come first and can only be left with OK,
# which stores what differs from the built-in settings and only that; then
# the setup dialog asks to connect, and its "E&xit" ends the program.
scenario_first_run() {
    store_settings
    start_program
    open_dialog "$preferences" first-run || return
    expect_layout "$preferences_template_without_cancel"
    awk -F'\t' '$1 == 2 && $4 !~ /visible/' <<<"$controls" | grep -q . ||
        fail "the first run shows a Cancel button: $(awk -F'\t' '$1 == 2' <<<"$controls"); screen: $shot"
    # Weekly, the existing window, both prompts.
    expect_checked "the built-in settings" 1006 1017 1015 1009

    desktop_helper keys "$preferences" Escape
    expect_dialog_stays "$preferences" "Escape"
    click_close_box "$preferences"
    expect_dialog_stays "$preferences" "the close box"
    [ -z "$(stored_values before-ok)" ] ||
        fail "settings were stored before OK: $(stored_values before-ok | xargs)"

    click_control "$preferences" 1007
    click_control "$preferences" 1009
    read_controls "$preferences"
    shot=$(desktop_shot "$scenario-changed")
    expect_checked "\"Once a &month\" chosen, connect prompt cleared" 1007 1017 1015
    click_control "$preferences" 1
    expect_dialog_closes "$preferences" "OK"
    local expected
    expected=$(printf '%s\n' PromptBeforeConnect=dword:00000000 QueryInterval=dword:00000003)
    [ "$(stored_values after-ok)" = "$expected" ] ||
        fail "after OK the settings key holds [$(stored_values after-ok | xargs)], expected [$(xargs <<<"$expected")]"

    if ! dialog_controls "Vellinor - Setup" >/dev/null; then
        fail "no setup dialog after the first run's preferences; screen: $(desktop_shot "$scenario-no-setup")"
        return
    fi
    desktop_shot "$scenario-setup" >/dev/null
    click_control "Vellinor - Setup" 2
    if ! wait_for_program_end 30; then
        fail "\"E&xit\" of the setup dialog did not end the program; screen: $(desktop_shot "$scenario-after-exit")"
        return
    fi
    desktop_helper tray Vellinor 0 "$DESKTOP_WAIT" >/dev/null ||
        fail "the icon stayed in the notification area; screen: $(desktop_shot "$scenario-icon-left")"
    [ "$(stored_values after-exit)" = "$expected" ] ||
        fail "after \"E&xit\" the settings key holds [$(stored_values after-exit | xargs)]"
}

# From the menu, the dialog shows the stored settings; OK without a change
# stores nothing, and the icon opens no menu meanwhile.
scenario_preferences_show_stored_settings() {
    store_weekly_new_window_connect_prompt
    export_settings "$E2E_ARTIFACTS/$scenario-before.reg"
    start_and_open_from_menu 4 || return
    open_dialog "$preferences" preferences || return
    expect_layout "$preferences_template"
    awk -F'\t' '$1 == 1 && $4 ~ /default/' <<<"$controls" | grep -q . ||
        fail "OK is not the default button; screen: $shot"
    expect_checked "weekly, new window, connect prompt" 1006 1018 1009
    expect_no_menu_from_icon "$preferences"
    click_control "$preferences" 1
    expect_dialog_closes "$preferences" "OK"
    expect_settings_unchanged after-ok
    # The same clicks open the menu again once the dialog has closed.
    open_menu 1 || return
    desktop_click 300 300 1
    exit_program
}

# Cancel, Escape and the close box after changes store nothing, and the
# next opening shows the stored settings again.
scenario_preferences_cancel_stores_nothing() {
    store_weekly_new_window_connect_prompt
    export_settings "$E2E_ARTIFACTS/$scenario-before.reg"
    start_and_open_from_menu 4 || return
    local way id
    for way in Cancel Escape close-box; do
        open_dialog "$preferences" "before-$way" || return
        expect_checked "opened before $way" 1006 1018 1009
        for id in 1007 1017 1015 1009; do
            click_control "$preferences" "$id"
        done
        read_controls "$preferences"
        shot=$(desktop_shot "$scenario-changed-before-$way")
        expect_checked "all four changed" 1007 1017 1015
        case $way in
        Cancel) click_control "$preferences" 2 ;;
        Escape) desktop_helper keys "$preferences" Escape ;;
        close-box) click_close_box "$preferences" ;;
        esac
        expect_dialog_closes "$preferences" "$way"
        expect_settings_unchanged "after-$way"
        open_menu 3 || return
        choose_from_end 4 || return
    done
    open_dialog "$preferences" after-all || return
    expect_checked "opened after Cancel, Escape and the close box" 1006 1018 1009
    click_control "$preferences" 1
    expect_dialog_closes "$preferences" "OK"
    expect_settings_unchanged after-ok
    exit_program
}

# The height of the dark ink inside PLACE ("LEFT TOP WIDTH HEIGHT" on the
# screen) of the screenshot SHOT, and its first and last row in the place.
ink_rows() {
    local left top width height
    read -r left top width height <<<"$1"
    convert "$2" -crop "${width}x${height}+${left}+${top}" +repage -colorspace gray \
        -threshold 40% -negate -scale "1x${height}!" -depth 16 txt:- |
        awk -F'[ ,:()]+' 'NR > 1 && $4 > 0 { if (first == "") first = $2; last = $2 }
            END { if (first == "") print 0, -1, -1; else print last - first + 1, first, last }'
}

# The About box as its template gives it, with the build's texts; the product
# name drawn as tall as its control; the contact address that cannot be
# edited; and the link, which opens the web page as often as it is pressed
# while the box stays open. The stored preference opens a new window, whose
# command line gets the caption as it stands.
scenario_about_box() {
    store_weekly_new_window_connect_prompt 1
    start_and_open_from_menu 2 || return
    open_dialog "$about" about || return
    expect_layout "$about_template"
    awk -F'\t' '$1 == 1 && $4 ~ /default/' <<<"$controls" | grep -q . ||
        fail "OK is not the default button; screen: $shot"
    [ "$(awk -F'\t' '$1 == 1015 { print $2 }' <<<"$controls")" = Edit ] ||
        fail "the contact address is not in an edit control: $(awk -F'\t' '$1 == 1015' <<<"$controls")"

    local title_place ink first last height
    title_place=$(awk -F'\t' '$1 == 1013 { print $3 }' <<<"$controls")
    height=${title_place##* }
    read -r ink first last < <(ink_rows "$title_place" "$shot")
    echo "  the product name's ink is $ink of its control's $height pixel rows ($first to $last)"
    # The caption's capitals fill about seven tenths of a font's cell; the
    # dialog font's would fill about a quarter of this control.
    if [ "$((ink * 100))" -lt "$((height * 55))" ] || [ "$last" -ge "$((height - 1))" ]; then
        fail "the product name is not drawn in a font as tall as its control:" \
            "$ink of $height rows, rows $first to $last; screen: $shot"
    fi

    # Typing into the address changes nothing.
    click_control "$about" 1015
    desktop_helper keys "$about" Ctrl+a x y z
    read_controls "$about"
    local typed
    typed=$(awk -F'\t' '$1 == 1015 { print $5; exit }' <<<"$controls")
    [ "$typed" = "$contact" ] ||
        fail "typing changed the contact address to \"$typed\"; screen: $(desktop_shot "$scenario-typed")"

    expect_no_menu_from_icon "$about"

    click_control "$about" 1019
    expect_browser_starts "the link pressed once" "$(browser_line new-window "http://$home_page")"
    dialog_is_open "$about" || fail "the box closed after its link was pressed"
    click_control "$about" 1019
    expect_browser_starts "the link pressed twice" "$(browser_line new-window "http://$home_page")" \
        "$(browser_line new-window "http://$home_page")"
    expect_no_message_box "after the link was pressed"
    dialog_is_open "$about" || fail "the box closed after its link was pressed twice"
    click_control "$about" 1
    expect_dialog_closes "$about" "OK"
    exit_program
}

# With the existing window preferred, the link goes to the shell with
# "http://" in front of the caption, and the stand-in registered for http
# records the address it was given.
scenario_about_link_through_the_shell() {
    store_weekly_new_window_connect_prompt 0
    start_and_open_from_menu 2 || return
    open_dialog "$about" about || return
    click_control "$about" 1019
    local tries
    for ((tries = 0; tries < 150; tries++)); do
        [ -n "$(browser_starts)" ] && break
        if dialog_is_open Vellinor; then
            fail "the link gave the message box" \
                "\"$(dialog_controls Vellinor | awk -F'\t' '$1 == 65535 { print $5 }')\";" \
                "screen: $(desktop_shot "$scenario-box")"
            click_control Vellinor 1
            return
        fi
        sleep 0.2
    done
    expect_browser_starts "the link pressed" "$(browser_line shell "http://$home_page")"
    dialog_is_open "$about" || fail "the box closed after its link was pressed"
    click_control "$about" 1
    expect_dialog_closes "$about" "OK"
    exit_program
}

scenarios=(
    first_run
    preferences_show_stored_settings
    preferences_cancel_stores_nothing
    about_box
    about_link_through_the_shell
)
run_scenarios "$@"
scenarios_verdict
