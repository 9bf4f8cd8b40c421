#!/usr/bin/env bash
# The real Win32 services that the program's own scenarios cannot show,
# checked by a test program of their own under Wine: message boxes and modal
# and modeless dialogs; process start; HTTP against a local test server on
# 127.0.0.1 (bodies, status codes, the size limit, redirection, connections
# dropped, a body that stops half way, which must not hold a request past its
# deadline); and the settings store against the real registry, whose stored
# menu must be byte for byte what the maker's tool packs.
set -uo pipefail
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib/wine.sh
. "$here/lib/wine.sh"
# shellcheck source=tests/e2e/lib/http_server.sh
. "$here/lib/http_server.sh"
program=$VELLINOR_WINDOWS_BUILD/tests/win32/vellinor-win32-services-test.exe
[ -f "$program" ] && [ -x "$E2E_MENU_TOOL" ] || { echo "FAIL: not built: $program or $E2E_MENU_TOOL" && exit 1; }
# A Western code page in the new prefix, whatever the machine's language; the
# local times in a POSIX zone, which reads the same to every library.
export LC_ALL=C TZ=IST-5:30
wine_start_test win32-services
xvfb_start && http_server_start "$E2E_DIR" || { echo "FAIL: no X display or no HTTP server" && exit 1; }

printf '1\n2.1.2.5\n37\nBEGIN Sites\nNews\tnews.htm\n-\nBEGIN &Reference\nEpisodes\tepisodes.htm\nEND\nEND\n' \
    >"$E2E_DIR/menu.txt"
harness_run "services test program" any timeout --kill-after=10 300 "$WINE" "$program" \
    "http://127.0.0.1:$HTTP_PORT" "$(winepath_of "$E2E_DIR/menu.txt")" "$(packed_hex "$E2E_DIR/menu.txt")" \
    </dev/null | tee "$E2E_ARTIFACTS/checks.txt"
status=${PIPESTATUS[0]}
wine_wait
fail_if_harness_failed
[ "$failures" -ne 0 ] || [ "$status" -eq 0 ] || fail "services test program exit status $status"
[ "$failures" -eq 0 ] && echo "PASS: $(grep -c '^ok:' "$E2E_ARTIFACTS/checks.txt") checks"
exit $((failures > 0))
