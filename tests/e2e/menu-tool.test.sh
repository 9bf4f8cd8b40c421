#!/usr/bin/env bash
# vellinor-menu.exe under Wine does what the native vellinor-menu does: for
# every command the same standard output byte for byte, the same files, the
# same exit status and the same messages. A few answers are also checked
# against known ones, so that the two builds cannot agree on a wrong result.
set -uo pipefail
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib/wine.sh
. "$here/lib/wine.sh"
windows_tool=$VELLINOR_WINDOWS_BUILD/tools/vellinor-menu.exe
[ -x "$E2E_MENU_TOOL" ] && [ -f "$windows_tool" ] || { echo "FAIL: vellinor-menu is not built" && exit 1; }
wine_start_test menu-tool
# One server for the whole run: each command would otherwise start Wine's
# server and services anew, or reach a server on its way out.
"$WINESERVER" -p

# Each build works in a folder of its own holding the same inputs, so that the
# files they write can be compared afterwards.
inputs=$E2E_DIR/inputs out=$E2E_ARTIFACTS
mkdir -p "$inputs/folder"
tab=$'\t'
printf '%s\n' 1 2.1.2.5 37 'BEGIN Sites' "News${tab}news.htm" - 'BEGIN &Reference' \
    "Episodes${tab}${tab}episodes.htm" END END ignored >"$inputs/example.txt"
# A newer version, a line without a TAB, a line too long to keep, bytes that
# need escaping, CR LF line ends and a block that is never closed.
printf '1\r\n2.1.3.0\r\n512\r\nBEGIN Rough "edges"\r\nCaf\351 \001\x7f\tcafe.htm\r\nno tab on this line\r\nBEGIN Open\r\nLong\t%0300d\r\nQuote "\\"\tq.htm\r\nEND\r\n' 0 \
    >"$inputs/rough.txt"
printf '1\n2.1.2.5\n3\n' >"$inputs/tiny.txt"
# UTF-8 with a byte-order mark, one caption not ASCII: each build converts it
# to its code page (1252 natively and, under Wine, the system's), or to the
# one named.
printf '\xef\xbb\xbf1\n2.1.2.5\n40\nBEGIN Sites\nB\xc3\xbc\x63her \xd0\x94\thttp://b.test/\nEND\n' >"$inputs/marked.txt"
sed '1s/.*/2/' "$inputs/example.txt" >"$inputs/format-2.txt"
cp "$E2E_REPO"/tests/fuzz/seeds/archive/{example-140,two-popups,long-captions,truncated,null-object}.bin "$inputs/"
# A publisher's key and a signature made natively, checked by both builds; a
# file one byte off carrying that signature, and one past what the program reads.
key=$("$E2E_MENU_TOOL" keygen "$inputs/publisher.pem") &&
    "$E2E_MENU_TOOL" sign "$inputs/example.txt" -k "$inputs/publisher.pem" || { echo "FAIL: vellinor-menu cannot sign" && exit 1; }
other_key=$("$E2E_MENU_TOOL" keygen "$E2E_DIR/other.pem")
sed 's/News/Newt/' "$inputs/example.txt" >"$inputs/changed.txt"
cp "$inputs/example.txt.sig" "$inputs/changed.txt.sig"
head -c 65537 /dev/zero >"$inputs/large.txt"
cp -R "$inputs" "$E2E_DIR/native"
cp -R "$inputs" "$E2E_DIR/windows"

# LABEL|ARGS[|STATUS|LINE]: both builds run ARGS in their own folders; their
# standard output must match byte for byte, their messages line for line (the
# Windows C library ends the lines of standard error with CR LF), and their
# exit statuses, the native one kept as status[LABEL]. A known answer is also
# checked: the exit status STATUS, and a line LINE its output or messages hold.
# Every command reads its input the same way before it does anything else, so
# one command stands for all of them on an input that cannot be read.
declare -A status
while IFS='|' read -r label args code line; do
    # shellcheck disable=SC2086 # the arguments are words
    (cd "$E2E_DIR/native" && "$E2E_MENU_TOOL" $args) </dev/null >"$out/$label.native.out" 2>"$out/$label.native.err"
    status[$label]=$?
    # shellcheck disable=SC2086
    (cd "$E2E_DIR/windows" && harness_run Wine any "$WINE" "$windows_tool" $args) </dev/null >"$out/$label.windows.out" 2>"$out/$label.windows.err"
    [ "${status[$label]}" -eq $? ] || fail "$label: exit status ${status[$label]} natively, another under Wine"
    cmp -s "$out/$label.native.out" "$out/$label.windows.out" || fail "$label: standard output differs ($out/$label.*.out)"
    diff -q <(tr -d '\r' <"$out/$label.native.err") <(tr -d '\r' <"$out/$label.windows.err") >/dev/null ||
        fail "$label: standard error differs ($out/$label.*.err)"
    [ -z "$code" ] || { [ "${status[$label]}" -eq "$code" ] && { [ -z "$line" ] || grep -qF -- "$line" "$out/$label".native.*; }; } ||
        fail "$label: not exit status $code${line:+ with \"$line\"}"
done <<COMMANDS
check-example|check example.txt
check-rough|check rough.txt
check-missing|check no-such-file.txt|2|vellinor-menu: no-such-file.txt: No such file or directory
check-folder|check folder|2|vellinor-menu: folder: Is a directory
check-marked|check marked.txt|0|
show-marked|show marked.txt|0|"B\xfccher ?"
show-marked-1251|show marked.txt --codepage 1251|0|"B?cher \xc4"
show-example|show example.txt
show-held|show example.txt --held 37
show-rough|show rough.txt
show-tiny|show tiny.txt
pack-example|pack example.txt -o example.bin
pack-stdout|pack example.txt
pack-reg|pack rough.txt --reg -o rough.reg
pack-format-2|pack format-2.txt|1|
unpack-example|unpack example-140.bin
unpack-text|unpack example-140.bin --text
unpack-two-popups|unpack two-popups.bin
unpack-long|unpack long-captions.bin
unpack-truncated|unpack truncated.bin|1|error: endOfFile
unpack-null|unpack null-object.bin|1|error: no object
usage|frobnicate|2|
verify-good|verify example.txt $key|0|example.txt: signed by this key
verify-changed|verify changed.txt $key|1|changed.txt.sig: not a signature of changed.txt by this key
verify-other-key|verify example.txt $other_key|1|
verify-no-signature|verify rough.txt $key|1|rough.txt.sig: No such file or directory
verify-no-key|verify example.txt BAAA|2|'BAAA' is not a public key
sign-large|sign large.txt -k publisher.pem|1|large.txt has 65537 bytes; the program reads 65536
sign-no-key|sign example.txt -k example.txt|2|example.txt: not a P-256 private key
keygen-over|keygen publisher.pem|2|publisher.pem: File exists
COMMANDS
diff -r "$E2E_DIR/native" "$E2E_DIR/windows" >"$out/written-files.diff" || fail "the files written differ ($out/written-files.diff)"

# A key made and a file signed by the .exe, with CNG, verify natively.
windows_key=$(cd "$E2E_DIR/windows" && harness_run Wine 0 "$WINE" "$windows_tool" keygen made.pem) &&
    (cd "$E2E_DIR/windows" && harness_run Wine 0 "$WINE" "$windows_tool" sign tiny.txt -k made.pem) &&
    "$E2E_MENU_TOOL" verify "$E2E_DIR/windows/tiny.txt" "$windows_key" >/dev/null ||
    fail "a file signed with a key of vellinor-menu.exe does not verify natively"

# Known trees and bytes.
listing=$(printf '%s\n' 'number 37' 'root "Sites"' '  site 1001 "News" "news.htm"' '  divider' \
    '  popup "&Reference"' '    site 1002 "Episodes" "episodes.htm"')
[ "$(cat "$out/show-example.native.out")" = "result 0"$'\n'"$listing" ] || fail "show-example: not the example's tree"
[ "$(cat "$out/unpack-example.native.out")" = "$listing" ] || fail "unpack-example: not the example's tree"
[ "$(cat "$out/show-held.native.out")" = $'result 1\nnumber 37' ] || fail "show-held: the held number is not recognised"
cmp -s "$E2E_DIR/native/example.bin" "$inputs/example-140.bin" || fail "pack-example: not the example's 140 stored bytes"
cmp -s "$out/pack-stdout.native.out" "$inputs/example-140.bin" || fail "pack-stdout: not the example's 140 stored bytes"
[ ! -s "$out/check-marked.native.out" ] || fail "check-marked: a file with a byte-order mark draws findings"

fail_if_harness_failed
[ "$failures" -eq 0 ] || { echo "$failures failure(s); outputs in $out" && exit 1; }
echo "vellinor-menu.exe under Wine matches the native tool in ${#status[@]} commands"
