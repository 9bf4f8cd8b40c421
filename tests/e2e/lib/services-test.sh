# shellcheck shell=bash
# The Win32 services test program, for the end-to-end tests that run it under
# Wine. Sourcing this file sources wine.sh too. A test calls
# services_test_require before wine_init, then services_test_run once.
#
# The program prints one line per check ("ok: ..." or "FAIL: ...") and ends
# with the number that failed; its lines are kept as an artifact.

# shellcheck source=tests/e2e/lib/wine.sh
. "$(dirname -- "${BASH_SOURCE[0]}")/wine.sh"

SERVICES_TEST=$VELLINOR_WINDOWS_BUILD/tests/win32/vellinor-win32-services-test.exe

# Ends the test when the program is not built.
services_test_require() {
    [ -f "$SERVICES_TEST" ] || { echo "FAIL: the services test program is not built: $SERVICES_TEST"; exit 1; }
}

# services_test_run ARGS...: runs the program and ends the test with its
# verdict.
services_test_run() {
    harness_run "services test program" any timeout --kill-after=10 300 \
        "$WINE" "$SERVICES_TEST" "$@" </dev/null | tee "$E2E_ARTIFACTS/checks.txt"
    local status=${PIPESTATUS[0]}
    wine_wait
    fail_if_harness_failed
    [ "$failures" -ne 0 ] || [ "$status" -eq 0 ] || fail "services test program exit status $status"
    [ "$failures" -eq 0 ] && echo "PASS: $(grep -c '^ok:' "$E2E_ARTIFACTS/checks.txt") checks"
    exit $((failures > 0))
}
