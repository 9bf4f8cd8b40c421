# shellcheck shell=bash
# The local test server (lib/http_server.py) for a script that has called
# wine_init:
#
#   http_server_start ROOT   serves the folder ROOT on 127.0.0.1 until the
#                            script ends; sets HTTP_PORT, its port, and
#                            HTTP_REFUSED_PORT, one nobody listens on. Fails,
#                            naming its log, when the server does not start.

# shellcheck disable=SC2034 # the ports are for the test scripts
http_server_start() {
    local ready=$E2E_DIR/server-ready-$RANDOM log=$E2E_ARTIFACTS/server.log
    python3 "$(dirname -- "${BASH_SOURCE[0]}")/http_server.py" "$ready" "$1" 2>>"$log" &
    e2e_at_exit "kill $! 2>/dev/null; wait $! 2>/dev/null"
    if ! wait_until 20 '[ -s "$ready" ]' || ! read -r HTTP_PORT HTTP_REFUSED_PORT <"$ready"; then
        echo "the test's HTTP server did not start; see $log" >&2
        return 1
    fi
}
