#!/usr/bin/env bash
# The package under Wine, as an administrator and a user meet it: a quiet
# install puts the program, its Start menu shortcut, the Run value and the
# Add/Remove Programs entry in place; the next sign-in (wineboot) starts the
# program from the Run value; a second start, from the shortcut's target, adds
# no second icon and ends with exit code 0; the computer's and the user's
# "MenuUrl" policies say where the menu comes from; a package of a higher
# version replaces the installed one, one of a lower version is refused and
# changes nothing; the uninstall removes everything it installed and keeps
# the user's settings; "ADDLOCAL=Main" installs without the Run value.
# Scenarios run in order: each starts from what the one before left.
set -uo pipefail
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib/program.sh
. "$here/lib/program.sh"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$VELLINOR_WINDOWS_BUILD/CMakeCache.txt")
package=$VELLINOR_WINDOWS_BUILD/Vellinor-$version-x64.msi
[ -f "$package" ] || { echo "FAIL: not built: $package (cmake --build build/windows --target msi)" && exit 1; }
program_start_test install

# The first three numbers tell a newer package; the fourth does not count.
higher_version=${version%%.*}.99.0.0
home_page=$(sed -n 's/^VELLINOR_HOME_PAGE:STRING=//p' "$VELLINOR_WINDOWS_BUILD/CMakeCache.txt")
higher_package=$E2E_DIR/Vellinor-$higher_version-x64.msi
cmake -D "VERSION=$higher_version" -D "PROGRAM=$E2E_PROGRAM" -D "HOME_PAGE=$home_page" -D "OUTPUT=$higher_package" \
    -P "$E2E_REPO/installer/BuildPackage.cmake" >"$E2E_DIR/higher-package.log" 2>&1 ||
    { echo "FAIL: the package of version $higher_version could not be built; see $E2E_DIR/higher-package.log" && exit 1; }

install_dir=$WINEPREFIX/drive_c/Program\ Files/Vellinor
installed_program='C:\Program Files\Vellinor\Vellinor.exe'
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
# wineboot starts whatever the Run key names: none of ours may outlive the test.
e2e_at_exit "\"\$WINE\" reg delete '$run_key' /v Vellinor /f >/dev/null 2>&1"

# msiexec ARGS...: a quiet msiexec, which must answer 0.
msiexec() {
    "$WINE" msiexec "$@" /qn </dev/null >>"$E2E_DIR/msiexec.log" 2>&1 || fail "msiexec $* /qn ended with status $?, expected 0"
}

# The Add/Remove Programs entries named "Vellinor".
product_keys() {
    reg_query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s |
        awk '/^HKEY/ { key = $0 } /^    DisplayName    [A-Z_]*    Vellinor$/ { print key }'
}

# expect_installed VERSION RUN: the program and its shortcut in place, one
# Add/Remove Programs entry "Vellinor" of VERSION with its details, and the
# Run value when RUN is "run".
expect_installed() {
    cmp -s "$install_dir/Vellinor.exe" "$E2E_PROGRAM" || fail "$installed_program is not the built program"
    # The package puts its shortcut in the Programs folder of the per-machine
    # install; Wine's msiexec takes the installing user's for it, so either counts.
    find "$WINEPREFIX/drive_c/"{ProgramData,users} -path '*/Start Menu/Programs/Vellinor.lnk' -exec strings {} + |
        grep -xF "$installed_program" >/dev/null || fail "no Start menu shortcut that starts $installed_program"
    local key
    key=$(product_keys)
    [ -n "$key" ] && [ "$(wc -l <<<"$key")" -eq 1 ] ||
        { fail "expected one Add/Remove Programs entry \"Vellinor\", found: ${key:-none}" && return; }
    [ "$(reg_value "$key" DisplayVersion)|$(reg_value "$key" Publisher)|$(reg_value "$key" URLInfoAbout)" = \
        "$1|Vellinor|http://$home_page" ] || fail "the entry $key is not version $1 by Vellinor, http://$home_page"
    # The product's icon is published beside the cached package, where the
    # entry shows it from (Wine writes no DisplayIcon naming it).
    cmp -s "$WINEPREFIX/drive_c/windows/Installer/${key##*\\}/Vellinor.exe" "$E2E_PROGRAM" ||
        fail "the product's icon, Vellinor.exe, is not published for the entry $key"
    [ "$(reg_value "$run_key" Vellinor)" = "$([ "$2" != run ] || echo "\"$installed_program\"")" ] ||
        fail "the Run value \"Vellinor\" is \"$(reg_value "$run_key" Vellinor)\", expected it ${2/run/as \"$installed_program\" in quotes}"
}

expect_nothing_installed() {
    [ ! -e "$install_dir" ] || fail "the uninstall left $(find "$install_dir" | tr '\n' ' ')"
    [ -z "$(find "$WINEPREFIX/drive_c" -name Vellinor.lnk)" ] || fail "the uninstall left the Start menu shortcut"
    [ -z "$(reg_value "$run_key" Vellinor)" ] || fail "the uninstall left the Run value"
    [ -z "$(product_keys)" ] || fail "the uninstall left the Add/Remove Programs entry"
}

pack_menu stored 50 'BEGIN Sites' "&Stored${tab}http://example.test/stored.htm" END
pack_menu computers 51 'BEGIN Sites' "&Computer's${tab}http://example.test/computer.htm" END
pack_menu users 52 'BEGIN Sites' "&User's${tab}http://example.test/user.htm" END
mkdir -p "$E2E_DIR/www" && cp "$E2E_DIR/computers.txt" "$E2E_DIR/users.txt" "$E2E_DIR/www/"
http_server_start "$E2E_DIR/www" || exit 1

# update_now MENU: "&Update Now" loads MENU, which is then the stored one.
update_now() {
    open_menu 3 && choose -3 && expect_message_box "Found and loaded a new menu." information &&
        expect_stored_menu "$1" "the $1 policy"
}

scenario_install() {
    msiexec /i "$(winepath_of "$package")"
    expect_installed "$version" run
}

scenario_autostart_and_one_copy() {
    store_settings --menu stored PromptBeforeCheck=0 PromptBeforeConnect=0 QueryInterval=0 LastQuery=now
    # A sign-in: the Run value starts the installed program.
    "$WINE" wineboot </dev/null >>"$E2E_DIR/wineboot.log" 2>&1
    wait_for_icon || return
    # The shortcut's target, started again while that copy runs.
    E2E_PROGRAM=$install_dir/Vellinor.exe start_program
    wait_for_program_end 60 && [ "$program_status" -eq 0 ] ||
        fail "a second copy did not end with exit code 0 (${program_status:-still running})"
    # A second icon would have come by the time its program ended.
    desktop_helper tray Vellinor 1 0 >/dev/null || fail "not one icon after the second start; screen: $(desktop_shot "$scenario-icons")"
    desktop_helper close Vellinor1 >/dev/null
    desktop_helper tray Vellinor 0 "$DESKTOP_WAIT" >/dev/null || fail "the running copy did not end"
}

scenario_policies() {
    set_menu_url "http://127.0.0.1:$HTTP_PORT/computers.txt"
    set_menu_url "http://127.0.0.1:$HTTP_PORT/users.txt" HKEY_CURRENT_USER
    start_program
    wait_for_icon && update_now computers || return
    set_menu_url ''
    update_now users || return
    set_menu_url '' HKEY_CURRENT_USER
    exit_program
}

# The user's settings are what the scenarios before stored.
scenario_upgrade_downgrade_uninstall() {
    keep_settings
    [ -s "$E2E_ARTIFACTS/$scenario-before.txt" ] || fail "no settings of the user's to keep"
    msiexec /i "$(winepath_of "$higher_package")"
    expect_installed "$higher_version" run
    ! "$WINE" msiexec /i "$(winepath_of "$package")" /qn </dev/null >>"$E2E_DIR/msiexec.log" 2>&1 ||
        fail "msiexec /i of the lower version $version succeeded"
    expect_installed "$higher_version" run
    msiexec /x "$(winepath_of "$higher_package")"
    expect_nothing_installed
    expect_settings_unchanged after-uninstall
}

scenario_without_autostart() {
    msiexec /i "$(winepath_of "$package")" ADDLOCAL=Main
    expect_installed "$version" none
    msiexec /x "$(winepath_of "$package")"
    expect_nothing_installed
}

scenarios=(install autostart_and_one_copy policies upgrade_downgrade_uninstall without_autostart)
run_scenarios "$@"
