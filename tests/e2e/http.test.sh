#!/usr/bin/env bash
# The real HTTP service under Wine against a local test server on 127.0.0.1:
# bodies, status codes, the size limit, redirection, connections refused or
# dropped, and servers that never answer or stop half way, which must not
# hold a request past its deadline.
set -uo pipefail
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib/services-test.sh
. "$here/lib/services-test.sh"
# shellcheck source=tests/e2e/lib/http_server.sh
. "$here/lib/http_server.sh"

services_test_require
wine_start_test http

http_server_start "$E2E_DIR" || {
    echo "FAIL: no HTTP server for the checks"
    exit 1
}

services_test_run --http "http://127.0.0.1:$HTTP_PORT" "http://127.0.0.1:$HTTP_REFUSED_PORT"
