#!/usr/bin/env bash
# Plays the real game as on an ordinary Linux desktop: under a window manager (openbox) with a
# Russian keyboard layout active. Checks that the W key (Ц in that layout) spins the cube, that
# the arrows spin it right after a menu was closed with Esc, and that a message box carries its
# caption exactly as the game gives it. Saves a screenshot after each step.
#
#   tests/e2e/desktop_session.sh GAME_BINARY SCREENSHOT_DIR
set -euo pipefail

GAME="${1:?usage: desktop_session.sh GAME_BINARY SCREENSHOT_DIR}"
SHOTS="${2:?usage: desktop_session.sh GAME_BINARY SCREENSHOT_DIR}"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# A display of its own with a window manager: the layout switch must not reach other tests.
if [ -z "${VEXIL_UNDER_WM:-}" ]; then
  exec "$HERE/../wm/under_window_manager.sh" "$0" "$@"
fi
for tool in setxkbmap xdotool xprop xwininfo import compare; do
  command -v "$tool" >/dev/null ||
    { echo "desktop_session: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done
mkdir -p "$SHOTS"
source "$HERE/private_session.sh"

CONFIG="$(mktemp -d)"
export XDG_CONFIG_HOME="$CONFIG"
cleanup() {
  [ -z "${GAME_PID:-}" ] || kill "$GAME_PID" 2>/dev/null || true
  rm -rf "$CONFIG"
}
trap cleanup EXIT

fail() {
  echo "desktop_session: $*" >&2
  exit 1
}

shot() {
  sleep 0.4
  import -window root "$SHOTS/$1.png"
  echo "screenshot $SHOTS/$1.png"
}

# Number of pixels that differ between two screenshots within the area WxH+X+Y.
difference() {
  compare -metric AE "$SHOTS/$1.png[$3]" "$SHOTS/$2.png[$3]" null: 2>&1 || true
}

# Holds a key (by its keysym) for a moment.
hold() {
  xdotool keydown "$1"
  sleep 0.5
  xdotool keyup "$1"
}

# Russian first, as the game's own default language suggests; US as the second group.
setxkbmap ru,us
setxkbmap -query | grep -q '^layout: *ru,us' || fail "the Russian layout could not be set"

# The first visible window whose name matches the pattern, waiting up to ten seconds for it.
find_window() {
  local found
  for _ in $(seq 100); do
    found="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)"
    [ -z "$found" ] || { echo "$found"; return; }
    sleep 0.1
  done
}

"$GAME" &
GAME_PID=$!
WINDOW="$(find_window '^Vexil Cube 3D$')"
[ -n "$WINDOW" ] || fail "the game window did not open"
xdotool windowactivate --sync "$WINDOW" 2>/dev/null || xdotool windowfocus "$WINDOW"
# The client area on the screen; xwininfo counts the manager's frame, unlike xdotool.
X="$(xwininfo -id "$WINDOW" | sed -n 's/^ *Absolute upper-left X: *//p')"
Y="$(xwininfo -id "$WINDOW" | sed -n 's/^ *Absolute upper-left Y: *//p')"
WIDTH="$(xwininfo -id "$WINDOW" | sed -n 's/^ *Width: *//p')"
HEIGHT="$(xwininfo -id "$WINDOW" | sed -n 's/^ *Height: *//p')"
# The drawing area below the menu bar, away from the clock's corner.
CUBE_AREA="$((WIDTH - 200))x$((HEIGHT - 60))+$((X + 10))+$((Y + 50))"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 20))
shot 01-opening-view

# The key in the W place types Ц in this layout; it still spins the cube up.
hold Cyrillic_tse
shot 02-w-place-held
[ "$(difference 01-opening-view 02-w-place-held "$CUBE_AREA")" -gt 1000 ] ||
  fail "the key in the W place did not spin the cube under the Russian layout"

# Game menu open by a click, closed with Esc; the arrows must reach the cube at once.
xdotool mousemove $((X + 25)) $((Y + 9)) click 1
sleep 0.3
shot 03-game-menu-open
[ "$(difference 02-w-place-held 03-game-menu-open "150x100+$((X + 10))+$((Y + 22))")" -gt 3000 ] ||
  fail "the Game menu did not open"
xdotool key Escape
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 20))
shot 04-menu-closed
hold Left
shot 05-left-held
[ "$(difference 04-menu-closed 05-left-held "$CUBE_AREA")" -gt 1000 ] ||
  fail "the arrows did not spin the cube after a menu was closed with Esc"

# View > Language > English: the restart message, captioned "Language" and nothing more.
xdotool mousemove $((X + 70)) $((Y + 9)) click 1
sleep 0.3
# Up from the top of the View menu reaches its last item, the Language submenu.
xdotool key Up Right Down Return
BOX="$(find_window 'Language')"
[ -n "$BOX" ] || fail "the language message did not open"
shot 06-language-message
CAPTION="$(xprop -id "$BOX" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p')"
[ "$CAPTION" = "Language" ] || fail "the message box is captioned \"$CAPTION\", not \"Language\""
xdotool key Return
sleep 0.3

kill -TERM "$GAME_PID"
for _ in $(seq 50); do
  kill -0 "$GAME_PID" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$GAME_PID" 2>/dev/null && fail "the game did not close"
wait "$GAME_PID" || fail "the game ended with an error"
GAME_PID=""
echo "desktop_session: passed"
