#!/usr/bin/env bash
# F11 on any X server. Under a window manager (openbox) the scene fills the
# 1920 x 1080 screen at four times between black bars, and a click on a bar
# still reaches the scene. On a bare X server nothing carries fullscreen out:
# the game stays in its window, whole and clickable. F11 again brings the
# window back. There, once it failed, F11 costs nothing: after a burst of
# presses the game still answers SIGTERM at once, and says only once that
# fullscreen is not available.   Usage: fullscreen.sh DIST OUT bare|openbox
set -euo pipefail
MODE=$3
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"; fi
. "$(dirname "$0")/game_session.sh"

WM=""
if [ "$MODE" = openbox ]; then
  openbox >/dev/null 2>&1 &
  WM=$!
  sleep 1
fi
e2e_start "$1" "$2/fullscreen_$MODE" SDL_AUDIODRIVER=dummy
trap 'e2e_stop; [ -n "$WM" ] && kill "$WM" 2>/dev/null; rm -rf "$WORK"' EXIT

# Whole-screen shots, cut to a rectangle of screen pixels.
shot_root() { timeout 10 import -window root "$OUT/$1.png"; }
mean_px() {  # NAME X Y W H
  convert "$OUT/$1.png" -crop "$4x$5+$2+$3" +repage -colorspace Gray -format "%[fx:mean]" info:
}
diff_px() {  # A B X Y W H
  convert "$OUT/$1.png" -crop "$5x$6+$3+$4" +repage "$WORK/a.png"
  convert "$OUT/$2.png" -crop "$5x$6+$3+$4" +repage "$WORK/b.png"
  # Large counts come in exponent form (1.2e+06).
  (compare -metric AE -fuzz 5% "$WORK/a.png" "$WORK/b.png" null: 2>&1 || true) | awk '{ printf "%d", $1 }'
}
geometry() { eval "$(xdotool getwindowgeometry --shell "$WIN")"; echo "window at $X,$Y: ${WIDTH}x$HEIGHT"; }

e2e_shot_lit 0_started
geometry
WX=$X WY=$Y
shot_root 1_windowed
e2e_key F11
sleep 1.5
geometry
shot_root 2_after_f11

if [ "$MODE" = openbox ]; then
  [ "$WIDTH" = 1920 ] && [ "$HEIGHT" = 1080 ] || { echo "not fullscreen under openbox"; exit 1; }
  bars=$(mean_px 2_after_f11 0 0 170 1080)
  scene=$(mean_px 2_after_f11 180 20 1560 1040)
  echo "left bar brightness $bars, scene brightness $scene"
  awk -v b="$bars" -v s="$scene" 'BEGIN { exit !(b < 0.01 && s > 0.05) }' || { echo "no letterboxed scene"; exit 1; }
  # The scene at four times: halved, it is the windowed scene (at twice).
  convert "$OUT/2_after_f11.png" -crop 1560x1040+180+20 +repage -sample 50% "$WORK/halved.png"
  changed=$(compare -metric AE -fuzz 5% "$OUT/0_started.png" "$WORK/halved.png" null: 2>&1 || true)
  echo "fullscreen scene against the window's: $changed pixels differ"
  [ "$changed" -lt 2000 ] || { echo "the scene is not drawn at four times"; exit 1; }
  # A click on the left bar lands on the scene's edge: the title moves on.
  xdotool mousemove --window "$WIN" 60 540 click 1
  sleep 0.8
  shot_root 3_bar_clicked
  changed=$(diff_px 2_after_f11 3_bar_clicked 180 20 1560 1040)
  echo "after a click on the bar: $changed pixels changed"
  [ "$changed" -gt 100000 ] || { echo "a click on the bar was lost"; exit 1; }
else
  [ "$WIDTH" = 780 ] && [ "$HEIGHT" = 520 ] || { echo "the window is ${WIDTH}x$HEIGHT on a bare server"; exit 1; }
  grep -q "fullscreen is not available" "$OUT/game.log" || { echo "no word about fullscreen"; exit 1; }
  changed=$(diff_px 1_windowed 2_after_f11 "$WX" "$WY" 780 520)
  echo "window after F11: $changed pixels changed"
  [ "$changed" -lt 500 ] || { echo "the scene changed size or place after F11"; exit 1; }
  # Clicks still land where they should: the title moves on.
  e2e_click 195 130
  sleep 0.8
  shot_root 3_clicked
  changed=$(diff_px 2_after_f11 3_clicked "$WX" "$WY" 780 520)
  echo "after a click: $changed pixels changed"
  [ "$changed" -gt 100000 ] || { echo "the click was lost"; exit 1; }
fi

e2e_key F11
sleep 1.5
geometry
[ "$WIDTH" = 780 ] && [ "$HEIGHT" = 520 ] || { echo "F11 again did not bring the window back"; exit 1; }
shot_root 4_windowed_again
a=$(mean_px 4_windowed_again "$X" "$Y" 780 520)
awk -v a="$a" 'BEGIN { exit !(a > 0.05) }' || { echo "the window is black after F11 twice"; exit 1; }
if [ "$MODE" = bare ]; then
  e2e_key --repeat 40 --delay 10 F11
  started=$(date +%s%N)
  kill -TERM "$GAME_PID"
  e2e_wait_exit
  echo "SIGTERM after 40 presses of F11 answered in $((($(date +%s%N) - started) / 1000000)) ms"
  [ "$GAME_STATUS" != running ] || { echo "the game did not answer SIGTERM within 5 s"; exit 1; }
  said=$(grep -c "fullscreen is not available" "$OUT/game.log" || true)
  [ "$said" = 1 ] || { echo "fullscreen was tried again ($said times)"; exit 1; }
fi
echo "fullscreen ($MODE) behaves"
