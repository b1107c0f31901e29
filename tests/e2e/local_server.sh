# Sourced by the end-to-end scripts that need the test HTTP server (tests/net/http_server.py).
# start_local_server SCRIPT SITE_FOLDER [ARGUMENTS...] starts it in the background, logging to
# SITE_FOLDER/../server.out, and sets SERVER_PID and PORT once it listens; it fails when the server
# has not said its port within ten seconds.
start_local_server() {
  local script="$1" site="$2"
  shift 2
  local log
  log="$(dirname "$site")/server.out"
  python3 "$script" "$site" "$@" >"$log" &
  SERVER_PID=$!
  for _ in $(seq 100); do
    grep -q '^PORT ' "$log" && break
    sleep 0.1
  done
  PORT="$(sed -n 's/^PORT //p' "$log")"
  [ -n "$PORT" ]
}
