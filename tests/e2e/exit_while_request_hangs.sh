#!/usr/bin/env bash
# Requests that cannot finish never hold the game: pointed at a port where nothing listens it
# starts and exits normally, and pointed at a server that accepts the requests and never
# answers it still ends within two seconds of being closed, with its settings written.
#
#   tests/e2e/exit_while_request_hangs.sh GAME_BINARY SERVER_SCRIPT
set -euo pipefail
source "$(dirname "$0")/wait_for_window.sh"
source "$(dirname "$0")/private_session.sh"
source "$(dirname "$0")/local_server.sh"

GAME="${1:?usage: exit_while_request_hangs.sh GAME_BINARY SERVER_SCRIPT}"
SERVER="${2:?usage: exit_while_request_hangs.sh GAME_BINARY SERVER_SCRIPT}"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/virtual_display.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run "${VIRTUAL_DISPLAY[@]}" "$0" "$@"
fi

WORK="$(mktemp -d)"
cleanup() {
  [ -z "${GAME_PID:-}" ] || kill -KILL "$GAME_PID" 2>/dev/null || true
  [ -z "${SERVER_PID:-}" ] || kill "$SERVER_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
  echo "exit_while_request_hangs: $*" >&2
  exit 1
}

# Starts the game with its settings in a folder of its own and waits for its window.
start_game() {
  export XDG_CONFIG_HOME="$WORK/config-$1"
  mkdir -p "$XDG_CONFIG_HOME"
  "$GAME" &
  GAME_PID=$!
  wait_for_window 'Vexil Cube 3D' >/dev/null ||
    fail "$1: the game window did not open"
}

# Closes the game as a logout does and fails unless it ended within two seconds and wrote its
# settings.
close_game() {
  local start end
  start=$(date +%s%N)
  kill -TERM "$GAME_PID"
  for _ in $(seq 100); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.02
  done
  end=$(date +%s%N)
  kill -0 "$GAME_PID" 2>/dev/null && fail "$1: the game did not exit"
  wait "$GAME_PID" || true
  GAME_PID=""
  local elapsed=$(((end - start) / 1000000))
  echo "$1: the game ended ${elapsed} ms after the request to close"
  [ "$elapsed" -lt 2000 ] || fail "$1: the game took ${elapsed} ms to end"
  [ -s "$XDG_CONFIG_HOME/Vexil Cube/vexil_cube.ini" ] || fail "$1: no settings written"
}

# A port the system just handed out and took back: nothing listens there.
FREE_PORT="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
export VEXIL_CUBE_SITE="http://127.0.0.1:$FREE_PORT"
start_game refused
sleep 1
close_game refused

mkdir -p "$WORK/site"
start_local_server "$SERVER" "$WORK/site" --hang || fail "the server did not start"
export VEXIL_CUBE_SITE="http://127.0.0.1:$PORT"
start_game hanging
# Both requests are waiting for answers that never come.
requests_seen() { cat "$WORK/site/requests.log" 2>/dev/null | wc -l; }
for _ in $(seq 100); do
  [ "$(requests_seen)" -ge 2 ] && break
  sleep 0.1
done
[ "$(requests_seen)" -ge 2 ] || fail "the server did not see both requests"
close_game hanging
echo "exit_while_request_hangs: passed"
