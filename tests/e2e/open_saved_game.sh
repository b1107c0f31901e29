#!/usr/bin/env bash
# Opens a saved game the way a file manager does: `xdg-open saved.vcs`, with the installed
# game's MIME package and menu entry registered in a data home of their own. The installed game
# must start on that saved game: its window shows the game's clock and cube, where a fresh start
# shows neither. Screenshots of both go to SCREENSHOT_DIR.
#
#   tests/e2e/open_saved_game.sh PREFIX SAVED_GAME SCREENSHOT_DIR [FOLDER_TO_HIDE...]
#
# PREFIX is where `cmake --install` put the game. The FOLDERs (the source and build trees) are
# covered by empty ones for the game and xdg-open, so a game that needed anything from them
# would fail; that takes a mount namespace, which only root may make: others run with them in
# place.
#
# Outside a desktop environment xdg-open takes its generic path only when no desktop is detected;
# XDG_CURRENT_DESKTOP=X-Generic asks for it outright. That path learns the file's type from
# `mimetype` (libfile-mimeinfo-perl), which reads the MIME database of XDG_DATA_HOME, and the
# program from the desktop database there, then runs the entry's Exec line found through PATH.
set -euo pipefail
source "$(dirname "$0")/wait_for_window.sh"
source "$(dirname "$0")/private_session.sh"

usage="usage: open_saved_game.sh PREFIX SAVED_GAME SCREENSHOT_DIR [FOLDER_TO_HIDE...]"
PREFIX="$(realpath "${1:?$usage}")"
SAVED_GAME="$(realpath "${2:?$usage}")"
SHOTS="${3:?$usage}"
mkdir -p "$SHOTS"
SHOTS="$(realpath "$SHOTS")"
shift 3

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/virtual_display.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run "${VIRTUAL_DISPLAY[@]}" "$0" "$PREFIX" "$SAVED_GAME" "$SHOTS" "$@"
fi

# Deepest first, so a build folder inside the source tree is still there to cover.
HIDE=()
while IFS= read -r folder; do
  HIDE+=("$folder")
done < <(for folder in "$@"; do realpath "$folder"; done | awk '{ print length, $0 }' |
  sort -rn | cut -d' ' -f2-)

WORK="$(mktemp -d)"
GAME_PID=""
OPEN_PID=""
cleanup() {
  [ -z "$GAME_PID" ] || kill "$GAME_PID" 2>/dev/null || true
  [ -z "$OPEN_PID" ] || kill "$OPEN_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "open_saved_game: $*" >&2
  exit 1
}

# The installed tree, moved out of the build folder that is hidden below: nothing in it may
# depend on where it was installed.
cp -a "$PREFIX" "$WORK/prefix"
export XDG_DATA_HOME="$WORK/prefix/share"
export XDG_CONFIG_HOME="$WORK/config"
export XDG_CURRENT_DESKTOP=X-Generic
export PATH="$WORK/prefix/bin:$PATH"
update-mime-database "$XDG_DATA_HOME/mime"
update-desktop-database "$XDG_DATA_HOME/applications"
cd "$WORK"
cp "$SAVED_GAME" saved.vcs

TYPE=application/x-vexil-cube-save
[ "$(xdg-mime query filetype saved.vcs)" = "$TYPE" ] || fail "saved.vcs is not seen as $TYPE"
# The mark alone tells a saved game without its extension ...
cp saved.vcs saved-game
[ "$(xdg-mime query filetype saved-game)" = "$TYPE" ] || fail "the saved-game mark is not known"
# ... and a calendar that also ends in .vcs stays a calendar.
printf 'BEGIN:VCALENDAR\r\nVERSION:1.0\r\nEND:VCALENDAR\r\n' >calendar.vcs
[ "$(xdg-mime query filetype calendar.vcs)" = text/calendar ] ||
  fail "calendar.vcs is taken for a saved game"
DESKTOP_ID="$(xdg-mime query default "$TYPE")"
ENTRY="$XDG_DATA_HOME/applications/$DESKTOP_ID"
[ -f "$ENTRY" ] || fail "no installed entry opens $TYPE"
WM_CLASS="$(sed -n 's/^StartupWMClass=//p' "$ENTRY")"

hidden() {
  if [ ${#HIDE[@]} -eq 0 ]; then
    "$@"
    return
  fi
  unshare --mount --propagation private -- bash -c '
    while [ "$1" != -- ]; do mount -t tmpfs -o ro,size=4k hidden "$1"; shift; done
    shift
    exec "$@"' hide "${HIDE[@]}" -- "$@"
}
if [ ${#HIDE[@]} -gt 0 ] && ! unshare --mount --propagation private true 2>/dev/null; then
  echo "open_saved_game: cannot hide ${HIDE[*]} without root: left in place"
  HIDE=()
fi

# Waits for the game's window and sets WINDOW, GAME_PID and the window's X Y WIDTH HEIGHT.
await_window() {
  WINDOW="$(wait_for_window 'Vexil Cube 3D' 20)" ||
    true
  [ -n "$WINDOW" ] || fail "$1: no game window appeared"
  GAME_PID="$(xdotool getwindowpid "$WINDOW")"
  eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
  [ "$(readlink "/proc/$GAME_PID/exe")" = "$WORK/prefix/bin/vexil_cube" ] ||
    fail "$1: the window is not the installed game's"
  # Taskbars group the window under the menu entry by its class.
  xdotool search --class "^$WM_CLASS\$" | grep -qx "$WINDOW" ||
    fail "$1: the window's class is not the entry's StartupWMClass \"$WM_CLASS\""
}

shot() {
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$SHOTS/$1.png"
}

# Pixels that differ between two screenshots, within the area WxH+X+Y if given.
difference() {
  local area="${3:+[$3]}"
  compare -metric AE "$SHOTS/$1.png$area" "$SHOTS/$2.png$area" null: 2>&1 || true
}

# Pixels of a screenshot brighter than a quarter of white within the area WxH+X+Y: the scene
# is drawn on black.
bright() {
  convert "$SHOTS/$1.png" -crop "$2" -colorspace gray -threshold 25% \
    -format '%[fx:round(mean*w*h)]' info:
}

# Takes screenshot NAME until the bright pixels within AREA exceed LEAST, for 5 s at most.
shot_until_bright() { # name area least
  for _ in $(seq 20); do
    shot "$1"
    [ "$(bright "$1" "$2")" -le "$3" ] || return 0
    sleep 0.25
  done
  return 1
}

close_game() {
  kill -TERM "$GAME_PID"
  timeout 10 tail --pid="$GAME_PID" -s 0.1 -f /dev/null || fail "the game did not close"
  GAME_PID=""
}

hidden vexil_cube &
await_window "a fresh start"
# Below the menu bar: the scene, and at its top right the clock while a game is on.
SCENE_AREA="${WIDTH}x$((HEIGHT - 24))+0+24"
CLOCK_AREA="$((WIDTH / 3))x60+$((WIDTH * 2 / 3))+24"
shot_until_bright 01-fresh-start "$SCENE_AREA" 10000 || fail "a fresh start draws no cube"
[ "$(bright 01-fresh-start "$CLOCK_AREA")" -lt 50 ] || fail "a fresh start shows a clock"
close_game
wait

hidden xdg-open saved.vcs &
OPEN_PID=$!
await_window "xdg-open saved.vcs"
tr '\0' ' ' <"/proc/$GAME_PID/cmdline" | grep -q ' saved.vcs $' ||
  fail "xdg-open did not hand saved.vcs to the game"
shot_until_bright 02-saved-game-opened "$CLOCK_AREA" 300 ||
  fail "no clock shows: the saved game was not loaded"
# The saved cube is scrambled; a fresh one is in order.
[ "$(difference 01-fresh-start 02-saved-game-opened "$SCENE_AREA")" -gt 5000 ] ||
  fail "the cube looks as at a fresh start"
close_game
# xdg-open waits for the program it started and passes on how it ended.
wait "$OPEN_PID" || fail "xdg-open failed"
OPEN_PID=""
echo "open_saved_game: passed"
