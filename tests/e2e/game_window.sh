# Sourced by the end-to-end scripts: waits for the game's window.
#   e2e_wait_window PID LOG   sets WIN and the window's geometry (WIDTH, HEIGHT,
#                             X, Y); prints LOG and exits when no window comes.
e2e_wait_window() {
  WIN=""
  for _ in $(seq 100); do
    WIN=$(xdotool search --pid "$1" --onlyvisible --name . 2>/dev/null | head -1 || true)
    [ -n "$WIN" ] && break
    sleep 0.1
  done
  [ -n "$WIN" ] || { echo "FAIL: the game window did not appear"; cat "$2"; exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$WIN")"
}
