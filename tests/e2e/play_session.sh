#!/usr/bin/env bash
# Plays a short session with the real game under the current display (xvfb-run gives one):
# turns a layer with a left-button drag, spins the cube with the right button, starts an easy
# game from the menu, opens a menu and leaves through Game > Exit. Saves a screenshot after
# each step and checks that the steps changed the picture and that the settings were written.
#
#   tests/e2e/play_session.sh GAME_BINARY SCREENSHOT_DIR
set -euo pipefail
source "$(dirname "$0")/wait_for_window.sh"
source "$(dirname "$0")/private_session.sh"

GAME="${1:?usage: play_session.sh GAME_BINARY SCREENSHOT_DIR}"
SHOTS="${2:?usage: play_session.sh GAME_BINARY SCREENSHOT_DIR}"
mkdir -p "$SHOTS"

# Without a display, give the session a virtual one.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/virtual_display.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run "${VIRTUAL_DISPLAY[@]}" "$0" "$@"
fi

# The session's settings stay out of the player's own.
CONFIG="$(mktemp -d)"
trap 'rm -rf "$CONFIG"' EXIT
export XDG_CONFIG_HOME="$CONFIG"

fail() {
  echo "play_session: $*" >&2
  # A game left running would take the display's focus from the tests after this one.
  [ -z "${GAME_PID:-}" ] || kill "$GAME_PID" 2>/dev/null || true
  exit 1
}

shot() {
  sleep 0.4
  import -window root "$SHOTS/$1.png"
  echo "screenshot $SHOTS/$1.png"
}

# Number of pixels that differ between two screenshots, within the area WxH+X+Y if given.
difference() {
  local area="${3:+[$3]}"
  compare -metric AE "$SHOTS/$1.png$area" "$SHOTS/$2.png$area" null: 2>&1 || true
}

drag() { # button x0 y0 dx dy
  local button=$1 x=$2 y=$3 dx=$4 dy=$5
  xdotool mousemove "$x" "$y" mousedown "$button"
  for i in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $((x + dx * i / 10)) $((y + dy * i / 10))
    sleep 0.03
  done
  xdotool mouseup "$button"
}

"$GAME" &
GAME_PID=$!
WINDOW="$(wait_for_window 'Vexil Cube 3D')"
[ -n "$WINDOW" ] || fail "the game window did not open"
eval "$(xdotool getwindowgeometry --shell "$WINDOW")" # X Y WIDTH HEIGHT
xdotool windowactivate "$WINDOW" 2>/dev/null || xdotool windowfocus "$WINDOW"
CENTRE_X=$((X + WIDTH / 2))
CENTRE_Y=$((Y + HEIGHT / 2 + 10))
shot 01-opening-view

# A sticker left of the cube's nearest corner, dragged 120 pixels down: beyond 45 degrees.
drag 1 $((CENTRE_X - 60)) $((CENTRE_Y - 10)) 0 120
shot 02-layer-turned
[ "$(difference 01-opening-view 02-layer-turned)" -gt 1000 ] || fail "the drag turned no layer"

drag 3 $((CENTRE_X + 250)) $((CENTRE_Y + 150)) 60 20
shot 03-cube-spun
[ "$(difference 02-layer-turned 03-cube-spun)" -gt 1000 ] || fail "the right drag did not spin"

# Game > New game > Easy, by the menu's keyboard navigation.
xdotool mousemove $((X + 25)) $((Y + 9)) click 1
sleep 0.3
xdotool key Down Right Down Down Return
sleep 2.5
shot 04-easy-game-with-clock
# A new game shuffles the cube and shows the clock.
[ "$(difference 03-cube-spun 04-easy-game-with-clock)" -gt 1000 ] || fail "no new game started"

xdotool mousemove $((X + 25)) $((Y + 9)) click 1
shot 05-game-menu-open
# Only where the menu drops down: the running clock changes the picture by itself.
MENU_AREA="200x100+$((X + 10))+$((Y + 22))"
[ "$(difference 04-easy-game-with-clock 05-game-menu-open "$MENU_AREA")" -gt 5000 ] ||
  fail "the Game menu did not open"
# Up from the top of an open menu goes to its last item, Exit.
xdotool key Up Return

for _ in $(seq 50); do
  kill -0 "$GAME_PID" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$GAME_PID" 2>/dev/null; then
  kill "$GAME_PID"
  fail "Game > Exit did not close the game"
fi
wait "$GAME_PID" || fail "the game ended with an error"
INI="$CONFIG/Vexil Cube/vexil_cube.ini"
[ -f "$INI" ] || fail "no settings file was written at exit"
[ "$(grep -c '=' "$INI")" -eq 17 ] || fail "the settings file lacks keys"
echo "play_session: passed"
