#!/usr/bin/env bash
# Runs a command on a virtual display of its own managed by a lightweight window manager
# (openbox), so that windows get real frames, title bars and a manager that places them: the
# conditions of an ordinary desktop, which a bare virtual display lacks.
#
#   tests/wm/under_window_manager.sh COMMAND [ARGS...]
set -euo pipefail

[ $# -gt 0 ] || { echo "usage: under_window_manager.sh COMMAND [ARGS...]" >&2; exit 2; }
for tool in xvfb-run openbox; do
  command -v "$tool" >/dev/null ||
    { echo "under_window_manager: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done

# Always a display of its own: the manager must not take over a display other tests share.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/virtual_display.sh"
if [ -z "${VEXIL_UNDER_WM:-}" ]; then
  export VEXIL_UNDER_WM=1
  exec xvfb-run "${VIRTUAL_DISPLAY[@]}" "$0" "$@"
fi

READY="$(mktemp -d)"
cleanup() {
  [ -z "${WM_PID:-}" ] || kill "$WM_PID" 2>/dev/null || true
  rm -rf "$READY"
}
trap cleanup EXIT

# openbox runs its start-up command once it manages the screen.
openbox --sm-disable --startup "touch $READY/up" >"$READY/openbox.log" 2>&1 &
WM_PID=$!
for _ in $(seq 100); do
  [ -e "$READY/up" ] && break
  kill -0 "$WM_PID" 2>/dev/null || { cat "$READY/openbox.log" >&2; exit 1; }
  sleep 0.05
done
[ -e "$READY/up" ] || { echo "under_window_manager: openbox did not start" >&2; exit 1; }

"$@"
