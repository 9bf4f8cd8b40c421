#!/usr/bin/env bash
# The settings store against Wine's real registry: registry-probe.exe stores
# settings and a menu through CSettings and the Win32 registry service; what
# "reg query" then shows must have the expected names, types and values, with
# "MenuData" byte for byte what "vellinor-menu pack" makes of the same text;
# the probe must read it all back, and read odd values the documented way.
set -uo pipefail
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib/wine.sh
. "$here/lib/wine.sh"
probe=$VELLINOR_WINDOWS_BUILD/tests/e2e/registry-probe.exe
[ -f "$probe" ] && [ -x "$E2E_MENU_TOOL" ] || { echo "FAIL: not built: $probe or $E2E_MENU_TOOL" && exit 1; }
# A Western code page in the new prefix, whatever the machine's language.
export LC_ALL=C
wine_start_test registry
# The probe prints local times; a POSIX zone reads the same to every library.
export TZ=IST-5:30
key='HKCU\Software\Vellinor'

probe() {
    wine_run "$probe" "$@" </dev/null | tr -d '\r'
}

# reg query's value lines as "NAME TYPE DATA", sorted.
registry_values() {
    reg_query "$1" | sed -n 's/^    \([^ ]*\)    \([^ ]*\)    \(.*\)$/\1 \2 \3/p' | sort
}

reg_set() {
    harness_run reg 0 "$WINE" reg add "$key" /f "$@" </dev/null >/dev/null || fail "reg add $*"
}

# compare LABEL EXPECTED ACTUAL
compare() {
    [ "$2" = "$3" ] && echo "ok: $1" ||
        fail "$1"$'\n'"$(diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") | sed 's/^/    /')"
}

tab=$'\t'
printf '%s\n' 1 2.1.2.5 37 'BEGIN Sites' "News${tab}news.htm" - 'BEGIN &Reference' \
    "Episodes${tab}episodes.htm" END END >"$E2E_DIR/menu.txt"
packed=$(packed_hex "$E2E_DIR/menu.txt")
[ -n "$packed" ] || fail "vellinor-menu pack gave nothing"

# No key yet: the first run shows the preferences, and reading creates nothing.
compare "first run without a key" "FirstRun=133" "$(probe show | grep '^FirstRun=')"
! reg_query "$key" >/dev/null || fail "loading created the key"

# 3,000,000,000 is 2065-01-24 05:20:00 UTC, past the signed 32-bit range.
probe store "$(winepath_of "$E2E_DIR/menu.txt")" 3000000000 >"$E2E_ARTIFACTS/store.txt" ||
    fail "registry-probe store: $(cat "$E2E_ARTIFACTS/store.txt")"
# The connect prompt kept its built-in value, so nothing was written for it.
compare "stored values" "LastQuery REG_DWORD 0xb2d05e00
MenuData REG_BINARY $packed
OpenNewBrowserWindow REG_DWORD 0x1
PromptBeforeCheck REG_DWORD 0x0
QueryInterval REG_DWORD 0x3" "$(registry_values "$key")"
compare "string stored without its zero" "Text REG_SZ Written without its zero" \
    "$(registry_values 'HKCU\Software\VellinorProbe')"
compare "read back" "PromptBeforeCheck=0
PromptBeforeConnect=1
OpenNewBrowserWindow=1
QueryInterval=3
LastQuery=3000000000
LastQueryText=1/24/65 10:50:00
DueNow=0
MenuNumber=37
MenuEntries=3
MenuData=$packed
ProbeText=Written without its zero" "$(probe show)"

# Odd values: text "0" in a flag is two bytes and not zero; eight bytes and
# long text cannot be read into four bytes and count as missing; the top
# DWORD is a time in 2106; text where the menu belongs gives an empty tree.
reg_set /v PromptBeforeCheck /t REG_SZ /d 0
reg_set /v QueryInterval /t REG_QWORD /d 1
reg_set /v OpenNewBrowserWindow /t REG_SZ /d 'always a new one'
reg_set /v LastQuery /t REG_DWORD /d 4294967295
reg_set /v MenuData /t REG_SZ /d "$packed"
compare "odd values" "PromptBeforeCheck=1
PromptBeforeConnect=1
OpenNewBrowserWindow=0
QueryInterval=2
LastQuery=4294967295
LastQueryText=2/7/06 11:58:15
MenuNumber=0
MenuEntries=0" "$(probe show | grep -v '^DueNow=\|^MenuData=\|^ProbeText=')"
compare "odd values left as they were" "PromptBeforeCheck REG_SZ 0" "$(registry_values "$key" | grep '^PromptBeforeCheck ')"

# A stored menu the archive reader rejects is a missing one: an empty tree.
for damaged in "${packed%??}" 00 "${packed:0:40}"; do
    reg_set /v MenuData /t REG_BINARY /d "$damaged"
    compare "damaged menu of ${#damaged} hex digits" $'MenuNumber=0\nMenuEntries=0' "$(probe show | grep '^Menu[NE]')"
done

# The other two services the probe stands on: the program's name, and text
# into the code page, with '?' for what it lacks.
compare "program name and ANSI text" $'ProgramName=registry-probe\nAnsi=436166E9203F' "$(probe names)"

wine_wait
fail_if_harness_failed
[ "$failures" -eq 0 ] || { echo "FAIL: $failures check(s) failed" && exit 1; }
echo "PASS: settings store against the real registry"
