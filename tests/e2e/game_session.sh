# Shared by the end-to-end scripts: a private copy of the built game, started
# in the X display, with helpers to click on the scene and take screenshots.
# Scene coordinates are in the game's 390 x 260 pixels.

. "$(dirname "${BASH_SOURCE[0]}")/game_window.sh"

e2e_start() {  # DIST OUT [env...]
  DIST=$(cd "$1" && pwd)
  OUT=$2
  shift 2
  mkdir -p "$OUT"
  WORK=$(mktemp -d)
  trap 'e2e_stop; rm -rf "$WORK"' EXIT
  cp "$DIST/picolatte" "$WORK/"
  ln -s "$DIST/cg" "$WORK/cg"
  mkdir "$WORK/dat"   # sounds, music and names; no progress played in the build
  find "$DIST/dat" -maxdepth 1 -type f ! -name my.dat -exec cp -t "$WORK/dat/" {} +
  # A script may put files in place first by defining e2e_prepare.
  if declare -F e2e_prepare >/dev/null; then e2e_prepare; fi
  env "$@" "$WORK/picolatte" >"$OUT/game.log" 2>&1 &
  GAME_PID=$!
  e2e_wait_window "$GAME_PID" "$OUT/game.log"
  SCALE=$((WIDTH / 390))
  sleep 0.5
}

e2e_click() {  # X Y (scene pixels)
  xdotool mousemove --window "$WIN" $(($1 * SCALE + SCALE / 2)) $(($2 * SCALE + SCALE / 2)) click 1
}

e2e_shot() {  # NAME
  import -window "$WIN" "$OUT/$1.png"
}

# Takes the shot once the scene is no longer black (start-up can be slow on
# a busy machine).
e2e_shot_lit() {  # NAME
  for _ in $(seq 40); do
    e2e_shot "$1"
    awk -v m="$(e2e_mean "$1" 0 0 390 260)" 'BEGIN { exit !(m > 0.05) }' && return
    sleep 0.25
  done
  echo "the scene stayed black"
  return 1
}

e2e_key() {  # KEY... (xdotool names), typed with the pointer on the window
  xdotool mousemove --window "$WIN" 4 4
  xdotool key "$@"
}

# Waits up to 5 s for the game to end; GAME_STATUS is its exit status, or
# "running".
e2e_wait_exit() {
  for _ in $(seq 50); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
  GAME_STATUS=running
  kill -0 "$GAME_PID" 2>/dev/null && return
  GAME_STATUS=0
  wait "$GAME_PID" || GAME_STATUS=$?
  GAME_PID=""
}

# Mean brightness (0-1) of a scene rectangle X Y W H in a screenshot.
e2e_mean() {  # NAME X Y W H
  convert "$OUT/$1.png" -crop "$(($4 * SCALE))x$(($5 * SCALE))+$(($2 * SCALE))+$(($3 * SCALE))" \
    -colorspace Gray -format "%[fx:mean]" info:
}

# Pixels that differ between two screenshots inside a scene rectangle.
e2e_diff() {  # A B X Y W H
  local geo="$(($5 * SCALE))x$(($6 * SCALE))+$(($3 * SCALE))+$(($4 * SCALE))"
  convert "$OUT/$1.png" -crop "$geo" +repage "$WORK/diff_a.png"
  convert "$OUT/$2.png" -crop "$geo" +repage "$WORK/diff_b.png"
  compare -metric AE -fuzz 5% "$WORK/diff_a.png" "$WORK/diff_b.png" null: 2>&1 || true
}

e2e_stop() {
  if [ -n "${GAME_PID:-}" ] && kill -0 "$GAME_PID" 2>/dev/null; then
    kill -TERM "$GAME_PID" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$GAME_PID" 2>/dev/null || true
  fi
  GAME_PID=""
}
