# Sourced by the end-to-end scripts. wait_for_window NAME [SECONDS] prints the first visible
# window named NAME once there is one, or fails after SECONDS (30 by default). A plain search in
# a loop rather than xdotool's --sync: a window that goes while xdotool looks at it (the start's
# short-lived ones) makes xdotool fail with BadWindow instead of looking on.
wait_for_window() {
  local found=""
  local tries=$((${2:-30} * 10))
  for _ in $(seq "$tries"); do
    found="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)"
    [ -z "$found" ] || break
    sleep 0.1
  done
  [ -n "$found" ] && echo "$found"
}
