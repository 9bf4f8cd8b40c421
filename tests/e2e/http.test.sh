#!/usr/bin/env bash
# The real HTTP service under Wine against a local test server on 127.0.0.1:
# bodies, status codes, the size limit, redirection, connections refused or
# dropped, and servers that never answer or stop half way, which must not
# hold a request past its deadline.
set -uo pipefail
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib/wine.sh
. "$here/lib/wine.sh"

program=$VELLINOR_WINDOWS_BUILD/tests/win32/vellinor-win32-services-test.exe
if [ ! -f "$program" ]; then
    echo "FAIL: the services test program is not built: $program"
    exit 1
fi

wine_init http || {
    echo "FAIL: no Wine prefix; see $E2E_DIR/wineboot.log"
    exit 1
}

ready=$E2E_DIR/server-ready
python3 "$here/lib/http_server.py" --ready "$ready" --root "$E2E_DIR" \
    2>"$E2E_ARTIFACTS/server.log" &
server=$!
e2e_at_exit "kill $server 2>/dev/null; wait $server 2>/dev/null"
for ((tries = 0; tries < 100; tries++)); do
    [ -s "$ready" ] && break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.1
done
if ! read -r port refused <"$ready" 2>/dev/null || [ -z "${refused:-}" ]; then
    echo "FAIL: the test server did not start; see $E2E_ARTIFACTS/server.log"
    exit 1
fi

# The program prints one line per check and ends with the number that failed.
timeout --kill-after=10 300 "$WINE" "$program" --http "http://127.0.0.1:$port" \
    "http://127.0.0.1:$refused" </dev/null | tee "$E2E_ARTIFACTS/checks.txt"
status=${PIPESTATUS[0]}
wine_wait
if [ "$status" -ne 0 ]; then
    echo "FAIL: HTTP checks exit status $status"
    exit 1
fi
echo "PASS: $(grep -c '^ok:' "$E2E_ARTIFACTS/checks.txt") checks"
