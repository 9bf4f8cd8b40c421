# shellcheck shell=bash
# A real web server for the tests, nginx, started as an ordinary process with
# a configuration of the test's own, on 127.0.0.1 only. For a script that has
# called wine_start_test:
#
#   http_server_start ROOT   serves the folder ROOT until the script ends, and
#                            fails, naming its log, when it does not start.
#                            Sets the ports HTTP_PORT, the server's own,
#                            HTTP_REFUSED_PORT, one nobody listens on, and
#                            HTTP_SILENT_PORT, one that takes connections and
#                            never answers.
#   http_server_answers PATH "STATUS BYTES" of each answer to a GET of PATH so
#                            far, the bytes sent counting the head.
#
# Besides ROOT's files (anything else is nginx's own 404 page) it answers:
#
#   /fixed      200 with a fixed text
#   /moved      302 to /fixed
#   /close      closes the connection unanswered
#   /stall      sends the head and the first bytes of its body, then one byte
#               a second
#
# Each answer is a line of the artifact server.log, with the asking agent.

# shellcheck disable=SC2034 # the ports are for the test scripts
http_server_start() {
    local dir=$E2E_DIR/http-server ports=$E2E_DIR/http-server/ports
    mkdir -p "$dir/temp"
    head -c 1000 /dev/zero >"$dir/stall.bin"
    # Two ports free a moment ago, and the silent one, held while the test runs.
    python3 -c 'import socket, time
free = [socket.create_server(("127.0.0.1", 0)) for _ in range(2)]
silent = socket.create_server(("127.0.0.1", 0))
print(*(s.getsockname()[1] for s in free + [silent]), flush=True)
[s.close() for s in free]
time.sleep(86400)' >"$ports" &
    e2e_at_exit "kill $! 2>/dev/null; wait $! 2>/dev/null"
    wait_until 20 '[ -s "$ports" ]' && read -r HTTP_PORT HTTP_REFUSED_PORT HTTP_SILENT_PORT <"$ports" || return 1
    cat >"$dir/nginx.conf" <<CONF
daemon off;
master_process off;
pid $dir/nginx.pid;
error_log $dir/error.log;
events {}
http {
    log_format answers '\$status \$bytes_sent "\$request" agent=\$http_user_agent';
    access_log $E2E_ARTIFACTS/server.log answers;
    client_body_temp_path $dir/temp;
    proxy_temp_path $dir/temp;
    fastcgi_temp_path $dir/temp;
    uwsgi_temp_path $dir/temp;
    scgi_temp_path $dir/temp;
    default_type application/octet-stream;
    server {
        listen 127.0.0.1:$HTTP_PORT;
        root $1;
        location = /fixed { return 200 "Vellinor test body: a fixed text of some length.\r\n"; }
        location = /moved { return 302 /fixed; }
        location = /close { return 444; }
        location = /stall { alias $dir/stall.bin; limit_rate_after 400; limit_rate 1; }
    }
}
CONF
    PATH=$PATH:/usr/sbin nginx -p "$dir" -c "$dir/nginx.conf" -e "$dir/error.log" &
    e2e_at_exit "kill $! 2>/dev/null; wait $! 2>/dev/null"
    wait_until 20 "(exec 3<>/dev/tcp/127.0.0.1/$HTTP_PORT) 2>/dev/null" ||
        { echo "the test's web server did not start; see $dir/error.log" >&2 && return 1; }
}

http_server_answers() {
    awk -v request="\"GET $1 HTTP/1.1\"" 'index($0, request) { print $1, $2 }' "$E2E_ARTIFACTS/server.log"
}
