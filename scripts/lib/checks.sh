# shellcheck shell=bash
# The tally behind scripts/test: every check prints one line when it ends
# (PASS or FAIL, its name, a short detail) and counts once; checks_summary
# prints the closing "N passed, M failed" and fails when anything did.

CHECKS_PASSED=0
CHECKS_FAILED=0
# Seconds the last run_logged command took.
LAST_ELAPSED=0

# check_pass NAME [DETAIL]
check_pass() {
    CHECKS_PASSED=$((CHECKS_PASSED + 1))
    printf 'PASS  %s%s\n' "$1" "${2:+  ($2)}"
}

# check_fail NAME [DETAIL]
check_fail() {
    CHECKS_FAILED=$((CHECKS_FAILED + 1))
    printf 'FAIL  %s%s\n' "$1" "${2:+  ($2)}"
}

# run_logged LOG COMMAND...: runs COMMAND with its output kept in LOG only,
# stdin closed, and returns its status.
run_logged() {
    local log=$1 started=$SECONDS status=0
    shift
    "$@" </dev/null >"$log" 2>&1 || status=$?
    LAST_ELAPSED=$((SECONDS - started))
    return "$status"
}

# run_check NAME LOG COMMAND...: one check whose verdict is COMMAND's status.
run_check() {
    local name=$1 log=$2
    shift 2
    if run_logged "$log" "$@"; then
        check_pass "$name" "${LAST_ELAPSED} s"
    else
        check_fail "$name" "exit $?, ${LAST_ELAPSED} s, log: $log"
    fi
}

checks_summary() {
    printf '%d passed, %d failed\n' "$CHECKS_PASSED" "$CHECKS_FAILED"
    [ "$CHECKS_FAILED" -eq 0 ]
}
