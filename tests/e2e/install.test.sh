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
# shellcheck source=tests/e2e/lib/wine.sh
. "$here/lib/wine.sh"
# shellcheck source=tests/e2e/lib/desktop.sh
. "$here/lib/desktop.sh"
# shellcheck source=tests/e2e/lib/program.sh
. "$here/lib/program.sh"
# shellcheck source=tests/e2e/lib/http_server.sh
. "$here/lib/http_server.sh"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$VELLINOR_WINDOWS_BUILD/CMakeCache.txt")
package=$VELLINOR_WINDOWS_BUILD/Vellinor-$version-x64.msi
# The first three numbers tell a newer package; the fourth does not count.
higher_version=${version%%.*}.99.0.0
if [ ! -f "$package" ]; then
    echo "FAIL: not built: $package (cmake --build build/windows --target msi)"
    exit 1
fi
program_start_test install

home_page=$(sed -n 's/^VELLINOR_HOME_PAGE:STRING=//p' "$VELLINOR_WINDOWS_BUILD/CMakeCache.txt")
higher_package=$E2E_DIR/Vellinor-$higher_version-x64.msi
if ! cmake -D "VERSION=$higher_version" -D "PROGRAM=$VELLINOR_WINDOWS_BUILD/app/Vellinor.exe" \
    -D "HOME_PAGE=$home_page" -D "OUTPUT=$higher_package" \
    -P "$E2E_REPO/installer/BuildPackage.cmake" >"$E2E_DIR/higher-package.log" 2>&1; then
    echo "FAIL: the package of version $higher_version could not be built; see $E2E_DIR/higher-package.log"
    exit 1
fi

install_dir=$WINEPREFIX/drive_c/Program\ Files/Vellinor
installed_program='C:\Program Files\Vellinor\Vellinor.exe'
# The package puts its shortcut in the Programs folder of the per-machine
# install, the one for all users; Wine's msiexec takes the installing user's
# for it, so either counts here.
shortcuts=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vellinor.lnk"
    "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Vellinor.lnk")
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# wineboot starts whatever the Run key names: none of ours may outlive the test.
e2e_at_exit "\"\$WINE\" reg delete '$run_key' /v Vellinor /f >/dev/null 2>&1"

# msiexec ARGS...: a quiet msiexec; its exit status, also shown in the output.
msiexec() {
    local status=0
    "$WINE" msiexec "$@" /qn </dev/null >>"$E2E_DIR/msiexec.log" 2>&1 || status=$?
    echo "  msiexec $* /qn: exit status $status"
    return "$status"
}

# reg_value KEY NAME: the value as reg query shows it; nothing when missing.
reg_value() {
    "$WINE" reg query "$1" /v "$2" </dev/null 2>/dev/null | tr -d '\r' |
        sed -n "s/^    $2    [A-Z_]*    //p"
}

# The Add/Remove Programs entries named "Vellinor": "KEY VERSION" a line.
arp_entries() {
    "$WINE" reg query "$uninstall_key" /s </dev/null 2>/dev/null | tr -d '\r' | awk '
        /^HKEY/ { key = $0; name = ""; version = ""; next }
        /^    DisplayName    / { sub(/^    DisplayName    [A-Z_]*    /, ""); name = $0 }
        /^    DisplayVersion    / { sub(/^    DisplayVersion    [A-Z_]*    /, ""); version = $0 }
        /^$/ { if (name == "Vellinor") print key, version; name = "" }
        END { if (name == "Vellinor") print key, version }'
}

# expect_one_product VERSION: one entry, of that version, with its details.
expect_one_product() {
    local entries key
    entries=$(arp_entries)
    if [ "$(wc -l <<<"$entries")" -ne 1 ] || [ -z "$entries" ]; then
        fail "expected one Add/Remove Programs entry \"Vellinor\", found: ${entries:-none}"
        return 1
    fi
    key=${entries% *}
    [ "${entries##* }" = "$1" ] || fail "the installed version is ${entries##* }, expected $1"
    [ "$(reg_value "$key" Publisher)" = Vellinor ] ||
        fail "the entry's publisher is \"$(reg_value "$key" Publisher)\", expected \"Vellinor\""
    [ "$(reg_value "$key" URLInfoAbout)" = "http://$home_page" ] ||
        fail "the entry's web page is \"$(reg_value "$key" URLInfoAbout)\", expected \"http://$home_page\""
    # The product's icon is published beside the cached package, where the
    # entry shows it from (Wine writes no DisplayIcon naming it).
    cmp -s "$WINEPREFIX/drive_c/windows/Installer/${key##*\\}/Vellinor.exe" "$VELLINOR_WINDOWS_BUILD/app/Vellinor.exe" ||
        fail "the product's icon, Vellinor.exe, is not published for the entry $key"
}

installed_shortcut() {
    local candidate
    for candidate in "${shortcuts[@]}"; do
        [ -f "$candidate" ] && echo "$candidate"
    done
}

expect_installed() {
    cmp -s "$install_dir/Vellinor.exe" "$VELLINOR_WINDOWS_BUILD/app/Vellinor.exe" ||
        fail "C:\\Program Files\\Vellinor\\Vellinor.exe is not the built program"
    local link
    link=$(installed_shortcut)
    if [ -z "$link" ]; then
        fail "no Start menu shortcut \"Vellinor\""
    elif ! strings "$link" | grep -qxF "$installed_program"; then
        fail "the shortcut does not start $installed_program: $(strings "$link" | tr '\n' ' ')"
    fi
}

expect_run_value() {
    local value
    value=$(reg_value "$run_key" Vellinor)
    [ "$value" = "\"$installed_program\"" ] ||
        fail "the Run value \"Vellinor\" is ${value:-missing}, expected \"$installed_program\" in quotes"
}

expect_nothing_installed() {
    [ ! -e "$install_dir" ] || fail "the uninstall left $(find "$install_dir" | tr '\n' ' ')"
    [ -z "$(installed_shortcut)" ] || fail "the uninstall left the Start menu shortcut $(installed_shortcut)"
    [ -z "$(reg_value "$run_key" Vellinor)" ] || fail "the uninstall left the Run value"
    [ -z "$(arp_entries)" ] || fail "the uninstall left the Add/Remove Programs entry $(arp_entries)"
}

# Ends a program that the test did not start itself, by its hidden window.
close_running_copy() {
    desktop_helper close Vellinor1 >/dev/null
    desktop_helper tray Vellinor 0 "$DESKTOP_WAIT" >/dev/null ||
        fail "the running copy did not end; screen: $(desktop_shot "$scenario-still-running")"
}

# --- Menus and servers -----------------------------------------------------

tab=$'\t'
pack_menu stored 50 'BEGIN Sites' "&Stored${tab}http://example.test/stored.htm" END || exit 1
pack_menu computers 51 'BEGIN Sites' "&Computer's${tab}http://example.test/computer.htm" END || exit 1
pack_menu users 52 'BEGIN Sites' "&User's${tab}http://example.test/user.htm" \
    "&Second${tab}http://example.test/second.htm" END || exit 1
# serve MENU: a server of its own for MENU; its port is HTTP_PORT.
serve() {
    mkdir -p "$E2E_DIR/www-$1"
    cp "$E2E_DIR/$1.txt" "$E2E_DIR/www-$1/sites.txt"
    http_server_start "$E2E_DIR/www-$1"
}
serve computers || exit 1
computers_server=http://127.0.0.1:$HTTP_PORT
serve users || exit 1
users_server=http://127.0.0.1:$HTTP_PORT

packed_hex() {
    "$E2E_MENU_TOOL" pack "$E2E_DIR/$1.txt" -o "$E2E_DIR/$1.bin" >/dev/null &&
        od -An -v -tx1 "$E2E_DIR/$1.bin" | tr -d ' \n' | tr a-f A-F
}

set_policy() {
    local root=$1 url=$2
    {
        printf 'REGEDIT4\n\n[-%s\\Software\\Policies\\Vellinor]\n\n' "$root"
        [ -z "$url" ] || printf '[%s\\Software\\Policies\\Vellinor]\n"MenuUrl"="%s"\n' "$root" "$url"
    } >"$E2E_DIR/policy-$root.reg"
    wine_import_reg "$E2E_DIR/policy-$root.reg" || fail "the policy under $root could not be set"
}

# update_now MENU: "&Update Now" loads MENU, which is then the stored one.
update_now() {
    open_menu 3 || return 1
    choose_from_end 3 || return 1
    expect_message_box "Found and loaded a new menu." information || return 1
    local tries stored
    for ((tries = 0; tries < 50; tries++)); do
        stored=$("$WINE" reg query 'HKCU\Software\Vellinor' /v MenuData </dev/null 2>/dev/null |
            tr -d '\r' | sed -n 's/^    MenuData    REG_BINARY    //p')
        [ "$stored" = "$(packed_hex "$1")" ] && return 0
        sleep 0.2
    done
    fail "the stored menu is not the $1 menu; screen: $(desktop_shot "$scenario-stored")"
}

# --- Scenarios -------------------------------------------------------------

scenario_install() {
    msiexec /i "$(winepath_of "$package")" || fail "msiexec /i ended with status $?, expected 0"
    expect_installed
    expect_run_value
    expect_one_product "$version"
}

scenario_autostart_and_one_copy() {
    store_settings --menu stored PromptBeforeCheck=0 PromptBeforeConnect=0 QueryInterval=0 \
        LastQuery=now
    # A sign-in: the Run value starts the installed program.
    "$WINE" wineboot </dev/null >>"$E2E_DIR/wineboot.log" 2>&1
    wait_for_icon || return
    desktop_shot "$scenario-started" >/dev/null
    # The shortcut's target, started again while that copy runs.
    # shellcheck disable=SC2034 # start_program starts it
    E2E_PROGRAM=$install_dir/Vellinor.exe
    start_program
    if ! wait_for_program_end 60; then
        fail "a second copy did not end; screen: $(desktop_shot "$scenario-second")"
    elif [ "$program_status" -ne 0 ]; then
        fail "a second copy ended with exit code $program_status, expected 0"
    fi
    sleep 2
    desktop_helper tray Vellinor 1 0 >/dev/null ||
        fail "$(desktop_helper tray-list | grep -c Vellinor) icons after the second start, expected 1;" \
            "screen: $(desktop_shot "$scenario-icons")"
    desktop_shot "$scenario-after-second" >/dev/null
    close_running_copy
}

scenario_policies() {
    set_policy HKEY_LOCAL_MACHINE "$computers_server/sites.txt"
    set_policy HKEY_CURRENT_USER "$users_server/sites.txt"
    start_program
    wait_for_icon || return
    update_now computers || return
    set_policy HKEY_LOCAL_MACHINE ''
    update_now users || return
    set_policy HKEY_CURRENT_USER ''
    exit_program
}

scenario_upgrade() {
    export_settings "$E2E_DIR/settings-before.reg"
    msiexec /i "$(winepath_of "$higher_package")" ||
        fail "msiexec /i of version $higher_version ended with status $?, expected 0"
    expect_installed
    expect_run_value
    expect_one_product "$higher_version"
}

scenario_downgrade_refused() {
    local status=0
    msiexec /i "$(winepath_of "$package")" || status=$?
    [ "$status" -ne 0 ] || fail "msiexec /i of the lower version $version succeeded"
    expect_installed
    expect_run_value
    expect_one_product "$higher_version"
}

scenario_uninstall() {
    msiexec /x "$(winepath_of "$higher_package")" || fail "msiexec /x ended with status $?, expected 0"
    expect_nothing_installed
    export_settings "$E2E_DIR/settings-after.reg"
    if [ ! -s "$E2E_DIR/settings-after.reg" ]; then
        fail "the uninstall removed HKEY_CURRENT_USER\\Software\\Vellinor"
    elif ! cmp -s "$E2E_DIR/settings-before.reg" "$E2E_DIR/settings-after.reg"; then
        fail "the uninstall changed HKEY_CURRENT_USER\\Software\\Vellinor"
    fi
}

scenario_without_autostart() {
    msiexec /i "$(winepath_of "$package")" ADDLOCAL=Main ||
        fail "msiexec /i ADDLOCAL=Main ended with status $?, expected 0"
    expect_installed
    expect_one_product "$version"
    [ -z "$(reg_value "$run_key" Vellinor)" ] || fail "ADDLOCAL=Main wrote the Run value"
    msiexec /x "$(winepath_of "$package")" || fail "msiexec /x ended with status $?, expected 0"
    expect_nothing_installed
}

scenarios=(install autostart_and_one_copy policies upgrade downgrade_refused uninstall without_autostart)
run_scenarios "$@"
scenarios_verdict
