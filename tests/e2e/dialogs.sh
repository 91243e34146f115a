#!/usr/bin/env bash
# The game's own dialogs in the real window, on an X server without core
# fonts (where a system message box cannot even open): the Enter key's erase
# question appears over the scene and answers, a close while it is up ends
# the game with the progress saved, a broken my.dat is shown on a board and
# on stderr and ends the game with a failure, and without a display the game
# says so and fails.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
  mkdir -p "$2/no_fonts"  # an empty font path: no core fonts at all
  exec xvfb-run -a -s "-screen 0 1920x1080x24 -fp $2/no_fonts" "$0" "$@"
fi
. "$(dirname "$0")/game_session.sh"
OUT_ROOT=$2/dialogs

# The board covers the middle of the scene; a scene rectangle inside it.
board_change() { e2e_diff "$1" "$2" 30 70 330 100; }

e2e_start "$1" "$OUT_ROOT" SDL_AUDIODRIVER=dummy
e2e_shot_lit 1_title
e2e_key Return
sleep 0.6
e2e_shot 2_erase_question
changed=$(board_change 1_title 2_erase_question)
echo "erase question: $changed pixels changed"
[ "$changed" -gt 20000 ] || { echo "no question after Enter"; exit 1; }

# Enter is not yes: the question takes it as no and goes away.
e2e_key Return
sleep 0.6
e2e_shot 3_after_enter
changed=$(board_change 1_title 3_after_enter)
[ "$changed" -lt 500 ] || { echo "the question stayed after Enter ($changed)"; exit 1; }

# Asked again, the mouse lights "はい" up; a click on it answers.
e2e_key Return
sleep 0.6
e2e_move() { xdotool mousemove --window "$WIN" $(($1 * SCALE)) $(($2 * SCALE)); }
e2e_move 200 230
sleep 0.3
e2e_shot 4_question_again
e2e_move 135 185
sleep 0.4
e2e_shot 5_yes_lit
changed=$(e2e_diff 4_question_again 5_yes_lit 85 172 100 26)
echo "hover on はい: $changed pixels changed"
[ "$changed" -gt 300 ] || { echo "はい does not light up under the mouse"; exit 1; }
e2e_click 135 185
sleep 0.6
e2e_shot 6_answered_yes
changed=$(board_change 1_title 6_answered_yes)
[ "$changed" -lt 500 ] || { echo "the question stayed after はい ($changed)"; exit 1; }
grep -q "picolatte" "$OUT_ROOT/game.log" && { echo "unexpected errors:"; cat "$OUT_ROOT/game.log"; exit 1; }

# A close while the question is up ends the game at once, progress saved.
e2e_key Return
sleep 0.6
kill -TERM "$GAME_PID"
e2e_wait_exit
[ "$GAME_STATUS" = 0 ] || { echo "SIGTERM during the question: $GAME_STATUS"; exit 1; }
lines=$(wc -l <"$WORK/dat/my.dat")
[ "$lines" = 1103 ] || { echo "my.dat has $lines lines after closing"; exit 1; }
rm -rf "$WORK"
trap - EXIT

# A broken my.dat: the error is on a board in the window and on stderr; OK
# ends the game with a failure and leaves the file as it was.
e2e_prepare() { printf '1\r\n-\r\n' >"$WORK/dat/my.dat"; }
e2e_start "$1" "$OUT_ROOT/broken" SDL_AUDIODRIVER=dummy
e2e_shot_lit 7_error_board
mean=$(e2e_mean 7_error_board 30 70 330 100)
echo "error board brightness: $mean"
grep -q "入力値が数値ではありません" "$OUT_ROOT/broken/game.log" || { echo "no error on stderr"; exit 1; }
e2e_click 195 185
e2e_wait_exit
[ "$GAME_STATUS" = 1 ] || { echo "a failed start-up ended with $GAME_STATUS"; exit 1; }
[ "$(cat "$WORK/dat/my.dat")" = "$(printf '1\r\n-\r')" ] || { echo "my.dat was changed"; exit 1; }
unset -f e2e_prepare

# No display: a clear word and a failure; a driver asked for by name runs.
status=0
env -u DISPLAY SDL_AUDIODRIVER=dummy "$WORK/picolatte" 2>"$OUT_ROOT/no_display.log" || status=$?
cat "$OUT_ROOT/no_display.log"
[ "$status" -ne 0 ] || { echo "the game ran without a display"; exit 1; }
grep -q "no display" "$OUT_ROOT/no_display.log" || { echo "no word about the display"; exit 1; }
rm "$WORK/dat/my.dat"
status=0
env -u DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout -s TERM 2 "$WORK/picolatte" \
  2>"$OUT_ROOT/dummy.log" || status=$?
[ "$status" = 124 ] && ! grep -q picolatte "$OUT_ROOT/dummy.log" ||
  { echo "the dummy video driver did not run the game ($status)"; cat "$OUT_ROOT/dummy.log"; exit 1; }
echo "questions and errors reach the player"
