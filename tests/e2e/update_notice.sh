#!/usr/bin/env bash
# The real game pointed at a local server whose version file names 1,5 (with a UTF-8
# byte-order mark) shows the update notice; the server sees one GET of the statistics address
# and two of the version file. The notice's button closes it, and the game then exits normally
# and writes its settings. Started again, the game closed while the notice is open (as at a
# logout) still ends at once and writes its settings.
#
#   tests/e2e/update_notice.sh GAME_BINARY SERVER_SCRIPT SCREENSHOT_DIR
set -euo pipefail

GAME="${1:?usage: update_notice.sh GAME_BINARY SERVER_SCRIPT SCREENSHOT_DIR}"
SERVER="${2:?usage: update_notice.sh GAME_BINARY SERVER_SCRIPT SCREENSHOT_DIR}"
SHOTS="${3:?usage: update_notice.sh GAME_BINARY SERVER_SCRIPT SCREENSHOT_DIR}"
mkdir -p "$SHOTS"
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
  echo "update_notice: $*" >&2
  exit 1
}
source "$(dirname "$0")/wait_for_window.sh"
source "$(dirname "$0")/private_session.sh"
source "$(dirname "$0")/local_server.sh"

mkdir -p "$WORK/site/programs/3" "$WORK/config"
printf '\xef\xbb\xbf1,5\r\nFaster turns\r\nNew colours\r\n' >"$WORK/site/programs/3/vexilcubever.txt"
: >"$WORK/site/programs/3/stat.php"
start_local_server "$SERVER" "$WORK/site" || fail "the server did not start"

export XDG_CONFIG_HOME="$WORK/config"
# The notice's button asks the desktop to open the download page: let it open nothing.
export BROWSER=true
export VEXIL_CUBE_SITE="http://127.0.0.1:$PORT"
"$GAME" &
GAME_PID=$!
NOTICE="$(wait_for_window 'Проверка обновления')" || fail "no update notice"
sleep 0.5
import -window root "$SHOTS/update-notice.png"
echo "screenshot $SHOTS/update-notice.png"

count() { grep -c " GET $1 " "$WORK/site/requests.log" || true; }
[ "$(count /programs/3/stat.php)" -eq 1 ] || fail "stat.php requested $(count /programs/3/stat.php) times"
[ "$(count /programs/3/vexilcubever.txt)" -eq 2 ] ||
  fail "vexilcubever.txt requested $(count /programs/3/vexilcubever.txt) times"

# The button has the focus: Space presses it.
xdotool windowactivate --sync "$NOTICE" 2>/dev/null || xdotool windowfocus --sync "$NOTICE"
xdotool key --window "$NOTICE" space
for _ in $(seq 50); do
  xdotool search --onlyvisible --name 'Проверка обновления' >/dev/null 2>&1 || break
  sleep 0.1
done
! xdotool search --onlyvisible --name 'Проверка обновления' >/dev/null 2>&1 ||
  fail "the notice stayed open"

# Closes the game as a logout does; fails unless it ends within two seconds with its settings.
close_game() {
  kill -TERM "$GAME_PID"
  for _ in $(seq 100); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.02
  done
  kill -0 "$GAME_PID" 2>/dev/null && fail "$1: the game did not exit"
  wait "$GAME_PID" || true
  GAME_PID=""
  [ -s "$XDG_CONFIG_HOME/Vexil Cube/vexil_cube.ini" ] || fail "$1: no settings written"
}
close_game "after the notice"

export XDG_CONFIG_HOME="$WORK/config-again"
mkdir -p "$XDG_CONFIG_HOME"
"$GAME" &
GAME_PID=$!
wait_for_window 'Проверка обновления' >/dev/null || fail "no update notice the second time"
close_game "with the notice open"
echo "update_notice: passed"
