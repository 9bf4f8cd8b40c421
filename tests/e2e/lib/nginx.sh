# shellcheck shell=bash
# A real web server, for scenarios about how servers answer: nginx, started
# as an ordinary process with a configuration of the test's own.
#
#   nginx_start ROOT   serves the folder ROOT on a free port of 127.0.0.1
#                      until the script ends; sets NGINX_PORT
#   nginx_answers      the answers sent so far, one line each:
#                      "STATUS BYTES-SENT", the bytes counting the head

nginx_start() {
    local dir=$E2E_DIR/nginx
    mkdir -p "$dir/temp"
    NGINX_PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    # One process, the test's own user, nothing written outside the folder.
    cat >"$dir/nginx.conf" <<CONF
daemon off;
master_process off;
pid $dir/nginx.pid;
error_log $dir/error.log;
events {}
http {
    log_format answers '\$status \$bytes_sent "\$request" "\$http_if_none_match" "\$http_if_modified_since"';
    access_log $E2E_ARTIFACTS/nginx-access.log answers;
    client_body_temp_path $dir/temp;
    proxy_temp_path $dir/temp;
    fastcgi_temp_path $dir/temp;
    uwsgi_temp_path $dir/temp;
    scgi_temp_path $dir/temp;
    server {
        listen 127.0.0.1:$NGINX_PORT;
        root $1;
    }
}
CONF
    nginx -p "$dir" -c "$dir/nginx.conf" -e "$dir/error.log" &
    e2e_at_exit "kill $! 2>/dev/null; wait $! 2>/dev/null"
    wait_until 20 "(exec 3<>/dev/tcp/127.0.0.1/$NGINX_PORT) 2>/dev/null" ||
        { echo "nginx did not start; see $dir/error.log" >&2 && return 1; }
}

nginx_answers() {
    cut -d' ' -f1,2 "$E2E_ARTIFACTS/nginx-access.log" 2>/dev/null
}
