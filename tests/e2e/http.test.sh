#!/usr/bin/env bash
# The real HTTP service under Wine against a local test server on 127.0.0.1:
# bodies, status codes, the size limit, redirection, connections refused or
# dropped, and servers that never answer or stop half way, which must not
# hold a request past its deadline.
set -uo pipefail
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib/services-test.sh
. "$here/lib/services-test.sh"

services_test_require
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

services_test_run --http "http://127.0.0.1:$port" "http://127.0.0.1:$refused"
