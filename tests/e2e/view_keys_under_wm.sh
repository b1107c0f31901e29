#!/usr/bin/env bash
# The cube view is a window of its own inside the game's window: under a window manager its
# keys must reach it however the keyboard came back to the game. Spins the cube with held keys
# after a menu closed with Escape, in full screen (F5) and after leaving it, and with the
# Russian layout by the W key's place; and checks that the cube stands still once a key is up.
#
#   tests/e2e/view_keys_under_wm.sh GAME_BINARY SCREENSHOT_DIR
set -euo pipefail

GAME="${1:?usage: view_keys_under_wm.sh GAME_BINARY SCREENSHOT_DIR}"
SHOTS="${2:?usage: view_keys_under_wm.sh GAME_BINARY SCREENSHOT_DIR}"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ -z "${VEXIL_UNDER_WM:-}" ]; then
  exec "$HERE/../wm/under_window_manager.sh" "$0" "$@"
fi
source "$HERE/wait_for_window.sh"
source "$HERE/private_session.sh"
mkdir -p "$SHOTS"
export XDG_CONFIG_HOME="$PRIVATE_SESSION/config"

fail() {
  echo "view_keys_under_wm: $*" >&2
  setxkbmap us 2>/dev/null || true
  [ -z "${GAME_PID:-}" ] || kill "$GAME_PID" 2>/dev/null || true
  exit 1
}
shot() {
  sleep 0.4
  import -window root "$SHOTS/keys-$1.png"
}
difference() {
  compare -metric AE "$SHOTS/keys-$1.png" "$SHOTS/keys-$2.png" null: 2>&1 || true
}
# Holds KEY for a moment and checks that the picture changed, then that it stands still.
spins() { # name key
  shot "$1-before"
  xdotool keydown "$2"
  sleep 0.4
  xdotool keyup "$2"
  shot "$1-after"
  [ "$(difference "$1-before" "$1-after")" -gt 2000 ] || fail "$1: the key did not spin the cube"
  shot "$1-later"
  [ "$(difference "$1-after" "$1-later")" -eq 0 ] || fail "$1: the cube spun on after the key"
}

"$GAME" &
GAME_PID=$!
WINDOW="$(wait_for_window '^Vexil Cube 3D$' 20)" || fail "no game window appeared"
xdotool windowactivate --sync "$WINDOW" 2>/dev/null || xdotool windowfocus "$WINDOW"
sleep 0.5

spins at-start Left
xdotool key alt+g
sleep 0.4
xdotool key Escape
spins after-menu Right
xdotool key F5
sleep 1
spins full-screen Up
xdotool key F5
sleep 1
spins after-full-screen Down
setxkbmap ru,us
spins russian-layout w
setxkbmap us

kill "$GAME_PID"
wait "$GAME_PID" 2>/dev/null || true
echo "view_keys_under_wm: passed"
