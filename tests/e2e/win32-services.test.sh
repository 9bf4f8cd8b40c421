#!/usr/bin/env bash
# The real Win32 services (hidden window, timers, menus, dialogs, message
# boxes, process start) checked by a test program of their own under Wine.
set -uo pipefail
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib/wine.sh
. "$here/lib/wine.sh"

program=$VELLINOR_WINDOWS_BUILD/tests/win32/vellinor-win32-services-test.exe
if [ ! -f "$program" ]; then
    echo "FAIL: the services test program is not built: $program"
    exit 1
fi

wine_init win32-services || {
    echo "FAIL: no Wine prefix; see $E2E_DIR/wineboot.log"
    exit 1
}
xvfb_start || exit 1

# The program prints one line per check and ends with the number that failed.
timeout --kill-after=10 300 "$WINE" "$program" </dev/null | tee "$E2E_ARTIFACTS/checks.txt"
status=${PIPESTATUS[0]}
wine_wait
if [ "$status" -ne 0 ]; then
    echo "FAIL: services test program exit status $status"
    exit 1
fi
echo "PASS: $(grep -c '^ok:' "$E2E_ARTIFACTS/checks.txt") checks"
