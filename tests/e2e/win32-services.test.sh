#!/usr/bin/env bash
# The real Win32 services that the program's own scenarios cannot show,
# checked by a test program of their own under Wine: message boxes and modal
# and modeless dialogs; process start; HTTP against a local test server on
# 127.0.0.1 (bodies, status codes, the size limit, redirection, connections
# dropped, a body that trickles in, which must not hold a request past its
# deadline); and the settings store against values of the real registry as
# another program may leave them.
set -uo pipefail
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib/wine.sh
. "$here/lib/wine.sh"
# shellcheck source=tests/e2e/lib/http_server.sh
. "$here/lib/http_server.sh"
# Dates in one locale, whatever the machine's language, and local times in a
# POSIX zone, which reads the same to every library.
export LC_ALL=C TZ=IST-5:30
wine_start_test win32-services
xvfb_start && http_server_start "$E2E_DIR" || { echo "FAIL: no X display or no HTTP server" && exit 1; }
# A tool that failed to run fails the program's run too, and is named for it.
harness_run "services test program" any timeout --kill-after=10 300 "$WINE" \
    "$VELLINOR_WINDOWS_BUILD/tests/win32/vellinor-win32-services-test.exe" "http://127.0.0.1:$HTTP_PORT" \
    </dev/null | tee "$E2E_ARTIFACTS/checks.txt" || fail "services test program exit status $?"
[ "$failures" -eq 0 ] && echo "PASS: $(grep -c '^ok:' "$E2E_ARTIFACTS/checks.txt") checks"
exit $((failures > 0))
