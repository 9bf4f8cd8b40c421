#!/usr/bin/env bash
# vellinor-menu.exe under Wine does what the native vellinor-menu does: for
# every command the same standard output byte for byte, the same files, the
# same exit status and the same messages. A few answers are also checked
# against known ones, so that the two builds cannot agree on a wrong result.
set -uo pipefail
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib/wine.sh
. "$here/lib/wine.sh"

native_tool=$E2E_MENU_TOOL
windows_tool=$(find "$VELLINOR_WINDOWS_BUILD" -name vellinor-menu.exe -not -path '*/CMakeFiles/*' \
    -print -quit 2>/dev/null)
if [ ! -x "$native_tool" ] || [ -z "$windows_tool" ]; then
    echo "FAIL: vellinor-menu is not built (native: $native_tool, windows: ${windows_tool:-none})"
    exit 1
fi

wine_start_test menu-tool


# Each build works in a folder of its own holding the same inputs, so that the
# files they write can be compared afterwards.
inputs=$E2E_DIR/inputs outputs=$E2E_ARTIFACTS
mkdir -p "$inputs"
tab=$'\t'
printf '%s\n' 1 2.1.2.5 37 'BEGIN Sites' "News${tab}news.htm" - 'BEGIN &Reference' \
    "Episodes${tab}${tab}episodes.htm" END END ignored >"$inputs/example.txt"
{
    # A newer version, a line without a TAB, a line too long to keep, bytes
    # that need escaping, CR LF line ends and a block that is never closed.
    printf '1\r\n2.1.3.0\r\n512\r\nBEGIN Rough "edges"\r\n'
    printf 'Caf\351 \001\x7f\tcafe.htm\r\nno tab on this line\r\nBEGIN Open\r\n'
    printf 'Long\t%0300d\r\n' 0
    printf '%s\r\n' "Quote \"\\\"${tab}q.htm" END
} >"$inputs/rough.txt"
printf '1\n2.1.2.5\n3\n' >"$inputs/tiny.txt"
# UTF-8 with a byte-order mark, one caption not ASCII: each build converts it
# to its code page (1252 natively and, under Wine, the system's), or to the
# one named.
printf '\xef\xbb\xbf1\n2.1.2.5\n40\nBEGIN Sites\nB\xc3\xbc\x63her \xd0\x94\thttp://b.test/\nEND\n' \
    >"$inputs/marked.txt"
mkdir "$inputs/folder"
sed '1s/.*/2/' "$inputs/example.txt" >"$inputs/format-2.txt"
for seed in example-140 two-popups long-captions truncated null-object; do
    cp "$E2E_REPO/tests/fuzz/seeds/archive/$seed.bin" "$inputs/"
done
cp -R "$inputs" "$E2E_DIR/native"
cp -R "$inputs" "$E2E_DIR/windows"

declare -A status
# same_result LABEL ARGS...: both builds run ARGS in their own folders; their
# standard output must match byte for byte, their messages line for line
# (the Windows C library ends the lines of standard error with CR LF).
same_result() {
    local label=$1 native_status=0 windows_status=0
    shift
    (cd "$E2E_DIR/native" && "$native_tool" "$@") </dev/null \
        >"$outputs/$label.native.out" 2>"$outputs/$label.native.err" || native_status=$?
    (cd "$E2E_DIR/windows" && wine_run "$windows_tool" "$@") </dev/null \
        >"$outputs/$label.windows.out" 2>"$outputs/$label.windows.err" || windows_status=$?
    status[$label]=$native_status

    [ "$native_status" -eq "$windows_status" ] ||
        fail "$label: exit status $native_status natively, $windows_status under Wine"
    cmp -s "$outputs/$label.native.out" "$outputs/$label.windows.out" ||
        fail "$label: standard output differs ($outputs/$label.*.out)"
    diff -q <(tr -d '\r' <"$outputs/$label.native.err") \
        <(tr -d '\r' <"$outputs/$label.windows.err") >/dev/null ||
        fail "$label: standard error differs ($outputs/$label.*.err)"
}

same_result check-example check example.txt
same_result check-rough check rough.txt
same_result check-missing check no-such-file.txt
same_result check-folder check folder
same_result show-folder show folder
same_result pack-missing pack no-such-file.txt
same_result unpack-folder unpack folder
same_result check-marked check marked.txt
same_result show-marked show marked.txt
same_result show-marked-1251 show marked.txt --codepage 1251
same_result show-example show example.txt
same_result show-held show example.txt --held 37
same_result show-rough show rough.txt
same_result show-tiny show tiny.txt
same_result pack-example pack example.txt -o example.bin
same_result pack-stdout pack example.txt
same_result pack-reg pack rough.txt --reg -o rough.reg
same_result pack-format-2 pack format-2.txt
same_result unpack-example unpack example-140.bin
same_result unpack-text unpack example-140.bin --text
same_result unpack-two-popups unpack two-popups.bin
same_result unpack-long unpack long-captions.bin
same_result unpack-truncated unpack truncated.bin
same_result unpack-null unpack null-object.bin
same_result usage frobnicate

diff -r "$E2E_DIR/native" "$E2E_DIR/windows" >"$outputs/written-files.diff" ||
    fail "the files written differ ($outputs/written-files.diff)"

# Known answers.
listing=$(printf '%s\n' 'number 37' 'root "Sites"' '  site 1001 "News" "news.htm"' '  divider' \
    '  popup "&Reference"' '    site 1002 "Episodes" "episodes.htm"')
[ "$(cat "$outputs/show-example.native.out")" = "result 0"$'\n'"$listing" ] ||
    fail "show-example: not the example's tree"
[ "$(cat "$outputs/unpack-example.native.out")" = "$listing" ] ||
    fail "unpack-example: not the example's tree"
[ "$(cat "$outputs/show-held.native.out")" = $'result 1\nnumber 37' ] ||
    fail "show-held: the held number is not recognised"
cmp -s "$E2E_DIR/native/example.bin" "$inputs/example-140.bin" ||
    fail "pack-example: not the example's 140 stored bytes"
cmp -s "$outputs/pack-stdout.native.out" "$inputs/example-140.bin" ||
    fail "pack-stdout: not the example's 140 stored bytes"
[ "${status[pack-format-2]}" -eq 1 ] || fail "pack-format-2: a format 2 text was packed"
expect_archive_error() {
    if [ "${status[$1]}" -ne 1 ] || ! grep -qx "error: $2" "$outputs/$1.native.err"; then
        fail "$1: not reported as $2"
    fi
}
expect_archive_error unpack-truncated endOfFile
expect_archive_error unpack-null 'no object'
for label in check-missing check-folder show-folder pack-missing unpack-folder; do
    [ "${status[$label]}" -eq 2 ] || fail "$label: an unreadable file is not exit 2"
done
for label in check-missing pack-missing; do
    grep -qx 'vellinor-menu: no-such-file.txt: No such file or directory' \
        "$outputs/$label.native.err" || fail "$label: the missing file is not named with its reason"
done
grep -qx 'vellinor-menu: folder: Is a directory' "$outputs/check-folder.native.err" ||
    fail "check-folder: the folder is not named with its reason"
[ "${status[check-marked]}" -eq 0 ] && [ ! -s "$outputs/check-marked.native.out" ] ||
    fail "check-marked: a file with a byte-order mark draws findings"
grep -q '"B\\xfccher ?"' "$outputs/show-marked.native.out" ||
    fail "show-marked: the caption is not in code page 1252"
grep -q '"B?cher \\xc4"' "$outputs/show-marked-1251.native.out" ||
    fail "show-marked-1251: the caption is not in code page 1251"
[ "${status[usage]}" -eq 2 ] || fail "usage: an unknown command is not exit 2"

fail_if_harness_failed
if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s); outputs in $outputs"
    exit 1
fi
echo "vellinor-menu.exe under Wine matches the native tool in ${#status[@]} commands"
