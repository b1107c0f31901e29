#!/usr/bin/env bash
# A termination request (as at logout) closes the game like Exit does: the settings are written.
#
#   tests/e2e/terminate_saves_settings.sh GAME_BINARY
set -euo pipefail
source "$(dirname "$0")/wait_for_window.sh"
source "$(dirname "$0")/private_session.sh"

GAME="${1:?usage: terminate_saves_settings.sh GAME_BINARY}"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/virtual_display.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run "${VIRTUAL_DISPLAY[@]}" "$0" "$@"
fi

CONFIG="$(mktemp -d)"
trap 'rm -rf "$CONFIG"' EXIT
export XDG_CONFIG_HOME="$CONFIG"
INI="$CONFIG/Vexil Cube/vexil_cube.ini"

"$GAME" &
GAME_PID=$!
wait_for_window 'Vexil Cube 3D' >/dev/null
kill -TERM "$GAME_PID"
for _ in $(seq 50); do
  kill -0 "$GAME_PID" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$GAME_PID" 2>/dev/null; then
  kill -KILL "$GAME_PID"
  echo "terminate_saves_settings: the game did not close on SIGTERM" >&2
  exit 1
fi
wait "$GAME_PID" || true
[ -f "$INI" ] || { echo "terminate_saves_settings: no settings file written" >&2; exit 1; }
keys=$(grep -c '=' "$INI")
[ "$keys" -eq 17 ] || { echo "terminate_saves_settings: $keys keys written, not 17" >&2; exit 1; }
echo "terminate_saves_settings: passed"
