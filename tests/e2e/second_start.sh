#!/usr/bin/env bash
# One game window per player: with the game running, a second start with a saved game (as a
# double-click in the file manager makes it) hands the file to the running game and ends. One
# window stays, and it shows the saved game: its clock and its scrambled cube.
#
#   tests/e2e/second_start.sh GAME_BINARY SAVED_GAME SCREENSHOT_DIR
set -euo pipefail
source "$(dirname "$0")/wait_for_window.sh"
source "$(dirname "$0")/private_session.sh"

GAME="${1:?usage: second_start.sh GAME_BINARY SAVED_GAME SCREENSHOT_DIR}"
SAVED_GAME="${2:?usage: second_start.sh GAME_BINARY SAVED_GAME SCREENSHOT_DIR}"
SHOTS="${3:?usage: second_start.sh GAME_BINARY SAVED_GAME SCREENSHOT_DIR}"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/virtual_display.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run "${VIRTUAL_DISPLAY[@]}" "$0" "$@"
fi
mkdir -p "$SHOTS"
export XDG_CONFIG_HOME="$PRIVATE_SESSION/config"

fail() {
  echo "second_start: $*" >&2
  [ -z "${GAME_PID:-}" ] || kill "$GAME_PID" 2>/dev/null || true
  exit 1
}

"$GAME" &
GAME_PID=$!
WINDOW="$(wait_for_window 'Vexil Cube 3D' 20)" || fail "no game window appeared"
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
shot() {
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$SHOTS/second-start-$1.png"
}
# Pixels brighter than a quarter of white within WxH+X+Y of a screenshot (the scene is on black).
bright() {
  convert "$SHOTS/second-start-$1.png" -crop "$2" -colorspace gray -threshold 25% \
    -format '%[fx:round(mean*w*h)]' info:
}
CLOCK_AREA="$((WIDTH / 3))x60+$((WIDTH * 2 / 3))+24"
sleep 1
shot 1-running
[ "$(bright 1-running "$CLOCK_AREA")" -lt 50 ] || fail "a fresh start shows a clock"

# The second start, from another folder with a relative name: it must end by itself, at once.
cp "$SAVED_GAME" "$PRIVATE_SESSION/saved.vcs"
(cd "$PRIVATE_SESSION" && timeout 10 "$GAME" saved.vcs) || fail "the second start did not end"
kill -0 "$GAME_PID" 2>/dev/null || fail "the running game ended"
WINDOWS="$(xdotool search --onlyvisible --name 'Vexil Cube 3D' | wc -l)"
[ "$WINDOWS" -eq 1 ] || fail "$WINDOWS game windows after the second start"

for _ in $(seq 20); do
  shot 2-handed-over
  [ "$(bright 2-handed-over "$CLOCK_AREA")" -le 300 ] || break
  sleep 0.25
done
[ "$(bright 2-handed-over "$CLOCK_AREA")" -gt 300 ] ||
  fail "no clock shows: the running game did not load the saved game"
CHANGED="$(compare -metric AE "$SHOTS/second-start-1-running.png" \
  "$SHOTS/second-start-2-handed-over.png" null: 2>&1 || true)"
[ "$CHANGED" -gt 5000 ] || fail "the cube looks as before the hand-over"

kill -TERM "$GAME_PID"
timeout 10 tail --pid="$GAME_PID" -s 0.1 -f /dev/null || fail "the game did not close"
# Once the game is gone a start runs on its own again.
[ ! -e "$XDG_RUNTIME_DIR/vexil-cube.socket" ] || fail "the closed game left its socket behind"
echo "second_start: passed"
