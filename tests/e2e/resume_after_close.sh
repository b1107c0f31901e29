#!/usr/bin/env bash
# A game is never lost: under a window manager, a game closed by the window's close box (the
# manager's Alt+F4) comes back at the next start, the same cube with its clock running. Paused
# with the Pause key, it then shows no cube and its clock stands still.
#
#   tests/e2e/resume_after_close.sh GAME_BINARY SCREENSHOT_DIR
set -euo pipefail

GAME="${1:?usage: resume_after_close.sh GAME_BINARY SCREENSHOT_DIR}"
SHOTS="${2:?usage: resume_after_close.sh GAME_BINARY SCREENSHOT_DIR}"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ -z "${VEXIL_UNDER_WM:-}" ]; then
  exec "$HERE/../wm/under_window_manager.sh" "$0" "$@"
fi
source "$HERE/wait_for_window.sh"
source "$HERE/private_session.sh"
mkdir -p "$SHOTS"
export XDG_CONFIG_HOME="$PRIVATE_SESSION/config"
KEPT="$XDG_DATA_HOME/Vexil Cube/current.vcs"

fail() {
  echo "resume_after_close: $*" >&2
  [ -z "${GAME_PID:-}" ] || kill "$GAME_PID" 2>/dev/null || true
  exit 1
}

# Starts the game and sets GAME_PID, WINDOW and the client area X Y WIDTH HEIGHT.
start_game() {
  "$GAME" &
  GAME_PID=$!
  WINDOW="$(wait_for_window '^Vexil Cube 3D$' 20)" || fail "$1: no game window appeared"
  xdotool windowactivate --sync "$WINDOW" 2>/dev/null || xdotool windowfocus "$WINDOW"
  X="$(xwininfo -id "$WINDOW" | sed -n 's/^ *Absolute upper-left X: *//p')"
  Y="$(xwininfo -id "$WINDOW" | sed -n 's/^ *Absolute upper-left Y: *//p')"
  WIDTH="$(xwininfo -id "$WINDOW" | sed -n 's/^ *Width: *//p')"
  HEIGHT="$(xwininfo -id "$WINDOW" | sed -n 's/^ *Height: *//p')"
  SCENE_AREA="$((WIDTH * 2 / 3))x$((HEIGHT - 24))+0+24"
  CLOCK_AREA="$((WIDTH / 3))x60+$((WIDTH * 2 / 3))+24"
}
shot() {
  sleep 0.4
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$SHOTS/resume-$1.png"
}
bright() {
  convert "$SHOTS/resume-$1.png" -crop "$2" -colorspace gray -threshold 25% \
    -format '%[fx:round(mean*w*h)]' info:
}
difference() {
  compare -metric AE "$SHOTS/resume-$1.png[$3]" "$SHOTS/resume-$2.png[$3]" null: 2>&1 || true
}
# Takes screenshot NAME until the clock shows, for 10 s at most.
shot_until_clock() {
  for _ in $(seq 25); do
    shot "$1"
    [ "$(bright "$1" "$CLOCK_AREA")" -le 300 ] || return 0
  done
  return 1
}

start_game "the first start"
shot 1-fresh
# Game > New game > Easy, by the menu's keyboard navigation.
xdotool mousemove $((X + 25)) $((Y + 9)) click 1
sleep 0.3
xdotool key Down Right Down Down Return
shot_until_clock 2-playing || fail "no game started"
sleep 3 # the scramble's last turn has settled
shot 2-playing

# The close box, as the window manager gives it.
xdotool key --clearmodifiers alt+F4
timeout 10 tail --pid="$GAME_PID" -s 0.1 -f /dev/null || fail "the game did not close"
GAME_PID=""
[ -s "$KEPT" ] || fail "no game was kept at $KEPT"

start_game "the second start"
shot_until_clock 3-resumed || fail "no clock shows: the game did not come back"
[ "$(difference 1-fresh 3-resumed "$SCENE_AREA")" -gt 5000 ] ||
  fail "the cube looks as at a fresh start"
[ "$(difference 2-playing 3-resumed "$SCENE_AREA")" -lt 2000 ] ||
  fail "the cube is not the one that was closed"

# Paused: for three seconds no sticker shows and the clock stands still.
xdotool key --clearmodifiers Pause
sleep 1
shot 4-paused
sleep 3
shot 5-still-paused
colourful() { # pixels of strong colour (the stickers) within the scene area of a screenshot
  convert "$SHOTS/resume-$1.png" -crop "$SCENE_AREA" -colorspace HSL -channel G -separate \
    -threshold 40% -format '%[fx:round(mean*w*h)]' info:
}
[ "$(colourful 3-resumed)" -gt 1000 ] || fail "the resumed cube shows no stickers"
[ "$(colourful 4-paused)" -eq 0 ] || fail "the paused game still shows its cube"
[ "$(difference 4-paused 5-still-paused "$CLOCK_AREA")" -eq 0 ] ||
  fail "the paused game's clock went on"

kill -TERM "$GAME_PID"
timeout 10 tail --pid="$GAME_PID" -s 0.1 -f /dev/null || fail "the game did not close"
GAME_PID=""
[ -s "$KEPT" ] || fail "the resumed game was not kept again"
echo "resume_after_close: passed"
