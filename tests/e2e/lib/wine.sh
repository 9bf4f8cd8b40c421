# shellcheck shell=bash
# shellcheck disable=SC2034 # scenario_failed is for the scenarios' runner
# Helpers for the end-to-end tests that run Windows programs under Wine.
#
#   wine_start_test NAME      a fresh prefix in build/e2e/NAME, or the test
#                             ends, failed
#   harness_run WHAT ANSWERS COMMAND...
#                             runs a tool the test relies on; see below
#   fail MESSAGE              counts a failure of the test and prints it; when
#                             a tool failed to run meanwhile, that is the
#                             failure printed instead
#   fail_if_harness_failed    a failure for tools that failed unasked
#   reg_import NAME [TEXT]    stores the keys and values TEXT (a .reg file's
#                             body) kept as NAME.reg, or NAME.reg as it is
#   winepath_of FILE          a file of the test's folder as the programs in
#                             the prefix name it
#   packed_hex FILE           the bytes the maker's tool (E2E_MENU_TOOL, the
#                             native build) packs FILE into, in the hex digits
#                             reg query shows
#   reg_query KEY [ARGS...]   what "reg query" shows of KEY (nothing when it
#                             is missing), without its CRs
#   reg_value KEY NAME        the data of the value NAME ("0x…" for a number,
#                             hex digits for bytes); nothing when it is missing
#   wine_wait                 waits until every program of the prefix has ended
#   wait_until SECONDS CONDITION
#                             evaluates CONDITION every 0.2 s until it holds,
#                             for SECONDS at most; fails when it never did
#   xvfb_start                gives the test an X display of its own (DISPLAY)
#   e2e_at_exit COMMAND       runs COMMAND when the test ends
#
# Whatever these helpers start is stopped when the test's shell exits, however
# it exits. Nothing outside the test's own folder is touched: Wine gets a fresh
# prefix and its own HOME there. E2E_DIR is the test's folder and
# E2E_ARTIFACTS the one for screenshots and outputs worth keeping, both
# emptied at the start.

E2E_REPO=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/../../.." && pwd)
: "${VELLINOR_WINDOWS_BUILD:=$E2E_REPO/build/windows}"
: "${VELLINOR_NATIVE_BUILD:=$E2E_REPO/build/native}"
export VELLINOR_WINDOWS_BUILD VELLINOR_NATIVE_BUILD
E2E_MENU_TOOL=$VELLINOR_NATIVE_BUILD/tools/vellinor-menu

# Debian installs no wine on PATH; these are the 64-bit loader and server.
WINE=${WINE:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver64}

E2E_CLEANUPS=()
e2e_at_exit() {
    E2E_CLEANUPS+=("$1")
}

# The EXIT trap: the test's own cleanups last registered first, then Wine,
# then the X server the programs were drawing on.
e2e_cleanup() {
    local i
    for ((i = ${#E2E_CLEANUPS[@]} - 1; i >= 0; i--)); do
        eval "${E2E_CLEANUPS[i]}" || true
    done
    "$WINESERVER" -k 2>/dev/null
    "$WINESERVER" -w 2>/dev/null
    [ -z "${E2E_XVFB_PID:-}" ] || { kill "$E2E_XVFB_PID" && wait "$E2E_XVFB_PID"; } 2>/dev/null
}

wine_start_test() {
    E2E_DIR=$(dirname -- "$VELLINOR_WINDOWS_BUILD")/e2e/$1
    E2E_ARTIFACTS=$(dirname -- "$VELLINOR_WINDOWS_BUILD")/e2e-artifacts/$1
    # A run that was killed may have left its server behind on the old prefix.
    [ ! -d "$E2E_DIR/prefix" ] || WINEPREFIX=$E2E_DIR/prefix "$WINESERVER" -k 2>/dev/null || true
    rm -rf "$E2E_DIR" "$E2E_ARTIFACTS"
    mkdir -p "$E2E_DIR/home" "$E2E_ARTIFACTS"
    export WINEPREFIX=$E2E_DIR/prefix WINEARCH=win64 WINEDEBUG=-all
    # No Mono or Gecko installer prompts, no menu entries written for the
    # desktop, and a HOME of its own so the user's files stay untouched.
    export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
    export HOME=$E2E_DIR/home XDG_CONFIG_HOME=$E2E_DIR/home/.config
    export XDG_DATA_HOME=$E2E_DIR/home/.local/share XDG_CACHE_HOME=$E2E_DIR/home/.cache
    trap e2e_cleanup EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    "$WINE" wineboot --init </dev/null >"$E2E_DIR/wineboot.log" 2>&1 ||
        { echo "FAIL: no Wine prefix; see $E2E_DIR/wineboot.log" && exit 1; }
    "$WINESERVER" -w
    # A new prefix does not find Wine's own fonts, and dialogs set in
    # "MS Sans Serif" would be drawn in a wider font that clips their texts.
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
}

# A tool that fails to run (Wine that cannot start a program, a helper that
# crashes, an X tool that cannot reach the display) says nothing about the
# program under test, and must not be reported as if it did. harness_run
# runs COMMAND with its standard error kept aside; an exit status among
# ANSWERS ("0" or "0,1": the statuses that are the tool's answers; "any" for
# a program whose exit code is what is under test) passes both on. Any other
# status, and any start-up or exit failure of Wine itself, is recorded as
# "WHAT failed: COMMAND: its error, exit N" and printed on standard error.
# The record survives command substitutions, so the test's verdict can name
# the cause wherever the call was made.
harness_run() {
    local what=$1 answers=$2 status=0 errors
    shift 2
    errors=$(mktemp "$E2E_DIR/harness-stderr.XXXXXX")
    "$@" 2>"$errors" || status=$?
    # The loader's own complaints start with its name ("wine: could not
    # load kernel32.dll"), and the host's dynamic loader can abort a Wine
    # process on its way out ("Inconsistency detected by ld.so"); a
    # program's exit code can be anything.
    if [[ $answers == any || ",$answers," == *",$status,"* ]] &&
        ! grep -vE '^wine: configuration in ' "$errors" |
        grep -qE '^(wine(server)?[0-9]*: |Inconsistency detected by ld\.so)'; then
        cat "$errors" >&2
        rm -f "$errors"
        return "$status"
    fi
    local command=$*
    printf '%s failed: %s: %s, exit %s\n' "$what" "${command#"$WINE "}" "$(tr '\n' ' ' <"$errors" | cut -c1-600)" \
        "$status" | tee -a "${HARNESS_FAILURES:-$E2E_DIR/harness-failures}" >&2
    rm -f "$errors"
    [ "$status" -ne 0 ] || status=125
    return "$status"
}

# Failures are counted in `failures`; a test that runs scenarios names the
# one running in `scenario`, and learns in `scenario_failed` that it failed.
failures=0 scenario_failed=0
fail() {
    # A check that fails because its tool did not run has only the tool's
    # failure to tell.
    if [ -s "$E2E_DIR/harness-failures" ]; then
        sed "s/^/FAIL: ${scenario:+$scenario: }/" "$E2E_DIR/harness-failures"
        rm -f "$E2E_DIR/harness-failures"
    else
        echo "FAIL: ${scenario:+$scenario: }$*"
    fi
    failures=$((failures + 1)) scenario_failed=1
}

# A tool may fail where its caller took the failure for an answer, as a wait
# for a window to go that ends at once.
fail_if_harness_failed() {
    [ ! -s "$E2E_DIR/harness-failures" ] || fail "a tool failed"
}

# Wine's own tools can fault while the server they have just started brings
# up the prefix's services. A command that may be repeated (an import of the
# same keys) is run once more when Wine reports such a fault in it.
harness_run_repeatable() {
    local first=$E2E_DIR/harness-first status=0
    HARNESS_FAILURES=$first harness_run "$@" 2>"$first.stderr" || status=$?
    if grep -q 'wine: Unhandled' "$first" 2>/dev/null; then
        rm -f "$first" "$first.stderr"
        harness_run "$@"
        return
    fi
    [ ! -s "$first" ] || cat "$first" >>"$E2E_DIR/harness-failures"
    cat "$first.stderr" >&2
    rm -f "$first" "$first.stderr"
    return "$status"
}

reg_import() {
    [ $# -lt 2 ] || printf 'REGEDIT4\n\n%s\n' "$2" >"$E2E_DIR/$1.reg"
    harness_run_repeatable regedit 0 "$WINE" regedit /S "$E2E_DIR/$1.reg"
}

winepath_of() {
    printf 'Z:%s' "$1" | tr / "\\\\"
}

packed_hex() {
    "$E2E_MENU_TOOL" pack "$1" -o "$1.bin" >/dev/null &&
        od -An -v -tx1 "$1.bin" | tr -d ' \n' | tr a-f A-F
}

# reg answers 1 for a key or value that is not there.
reg_query() {
    harness_run reg 0,1 "$WINE" reg query "$@" </dev/null | tr -d '\r'
}

reg_value() {
    reg_query "$1" /v "$2" | sed -n "s/^    $2    [A-Z_]*    //p"
}

wine_wait() {
    "$WINESERVER" -w
}

wait_until() {
    local until=$((SECONDS + $1))
    until eval "$2"; do
        ((SECONDS < until)) || return 1
        sleep 0.2
    done
}

# Xvfb picks a display no one uses and names it once it takes connections.
xvfb_start() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$E2E_DIR/xvfb-display" >"$E2E_DIR/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    wait_until 20 '[ -s "$E2E_DIR/xvfb-display" ]' || { echo "Xvfb did not start; see $E2E_DIR/xvfb.log" >&2 && return 1; }
    DISPLAY=:$(head -n1 "$E2E_DIR/xvfb-display")
    export DISPLAY
}
