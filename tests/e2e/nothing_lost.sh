#!/usr/bin/env bash
# The real game keeps the player's progress: a second copy started on the
# same files waits until the first is closed by a hang-up (SIGHUP), then
# goes on from its progress, and both games are counted;
# and a save that fails at closing (ulimit -f) shows a board that answers
# Enter, after which the game ends normally and writes settings.ini.
# Usage: nothing_lost.sh DIST_DIR OUT_DIR
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"; fi
. "$(dirname "$0")/game_window.sh"

dist=$(cd "$1" && pwd)
out=$2/nothing_lost
mkdir -p "$out"
work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
cp "$dist/picolatte" "$work/"
ln -s "$dist/cg" "$work/cg"
mkdir "$work/dat"   # sounds, music and names; no progress played in the build
find "$dist/dat" -maxdepth 1 -type f ! -name my.dat -exec cp -t "$work/dat/" {} +

start_game() {  # LOG [ulimit -f blocks]; sets PID, WIN, SCALE
  (
    [ -n "${2:-}" ] && ulimit -f "$2"
    exec env SDL_AUDIODRIVER=dummy "$work/picolatte"
  ) >"$1" 2>&1 &
  PID=$!
  pids+=("$PID")
  e2e_wait_window "$PID" "$1"
  # Both copies may answer to one pid search: the second copy's window is
  # the one that is not the first's.
  if [ -n "${OTHER:-}" ]; then
    for _ in $(seq 100); do
      WIN=$(xdotool search --onlyvisible --name . 2>/dev/null | grep -vx "$OTHER" | head -1 || true)
      [ -n "$WIN" ] && break
      sleep 0.1
    done
    [ -n "$WIN" ] || { echo "no second window"; exit 1; }
  fi
  SCALE=$((WIDTH / 390))
}
click() {  # WIN X Y (scene pixels)
  xdotool mousemove --window "$1" $(($2 * SCALE + SCALE / 2)) $(($3 * SCALE + SCALE / 2)) click 1
}
press() {  # WIN KEY
  xdotool mousemove --window "$1" 4 4
  xdotool key "$2"
}
# Title, title menu, "Start": one more game played.
start_a_game() {  # WIN
  click "$1" 195 130; sleep 0.6
  click "$1" 195 130; sleep 1.5
  click "$1" 300 245; sleep 1
}
wait_exit() {  # PID; sets STATUS ("running" after 10 s)
  STATUS=running
  for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$1" 2>/dev/null && return
  STATUS=0
  wait "$1" || STATUS=$?
}
plays() { sed -n 1101p "$work/dat/my.dat" | tr -d '\r'; }

# --- Two copies, side by side on the screen: the second waits for the first.
start_game "$out/a.log"; a=$PID; win_a=$WIN
xdotool windowmove "$win_a" 0 0
sleep 0.5
OTHER=$win_a start_game "$out/b.log"; b=$PID; win_b=$WIN
xdotool windowmove "$win_b" 1000 540
sleep 0.5
grep -q "another copy" "$out/b.log" || { echo "the second copy did not say it waits"; cat "$out/b.log"; exit 1; }
start_a_game "$win_a"
kill -HUP "$a"
wait_exit "$a"
[ "$STATUS" = 0 ] || { echo "the hang-up ended copy A with $STATUS"; cat "$out/a.log"; exit 1; }
[ "$(plays)" = 1 ] || { echo "after A closed: $(plays) games played, expected 1"; exit 1; }
sleep 1  # B goes on from A's progress
start_a_game "$win_b"
kill -TERM "$b"
wait_exit "$b"
[ "$STATUS" = 0 ] || { echo "copy B ended with $STATUS"; exit 1; }
[ "$(plays)" = 2 ] || { echo "B wiped out A's game: $(plays) games played, expected 2"; exit 1; }
lines=$(wc -l <"$work/dat/my.dat")
[ "$lines" = 1103 ] || { echo "my.dat has $lines lines"; exit 1; }
echo "two copies: the second waited for the first, both games counted, the hang-up saved"

# --- A save that fails at closing: 1 KB per file, my.dat needs 3. Its board
# answers Enter, and a second SIGTERM (a system shutting down) as well.
cp "$work/dat/my.dat" "$out/my.dat.before"
for answer in Return TERM; do
  rm -f "$work/settings.ini"
  : >"$out/limit.log"
  start_game "$out/limit.log" 1
  for _ in $(seq 50); do grep -q 'ﾃﾞｨｽｸがいっぱいです' "$out/limit.log" && break; sleep 0.1; done
  press "$WIN" Return # the start-up save's board
  sleep 0.5
  press "$WIN" m # sound off: a setting to remember
  sleep 0.5
  kill -TERM "$PID"
  for _ in $(seq 50); do [ "$(grep -c 'ﾃﾞｨｽｸがいっぱいです' "$out/limit.log")" -ge 2 ] && break; sleep 0.1; done
  [ "$(grep -c 'ﾃﾞｨｽｸがいっぱいです' "$out/limit.log")" -ge 2 ] || { echo "no board for the closing save"; cat "$out/limit.log"; exit 1; }
  sleep 0.5
  if [ "$answer" = TERM ]; then kill -TERM "$PID"; else press "$WIN" "$answer"; fi
  wait_exit "$PID"
  [ "$STATUS" = 0 ] || { echo "after the closing board ($answer) the game is $STATUS"; cat "$out/limit.log"; exit 1; }
  grep -q '^Muted=1' "$work/settings.ini" || { echo "settings.ini was not written ($answer)"; exit 1; }
  cmp -s "$work/dat/my.dat" "$out/my.dat.before" || { echo "my.dat changed under the limit"; exit 1; }
done
echo "closing save failed: the board answered Enter and SIGTERM, the game ended, settings.ini written"
