#!/usr/bin/env bash
# The real game: it opens at twice the scene size on a 1920 x 1080 desktop,
# two clicks bring the title menu with its choices, the caption shows the
# frame readout, and SIGTERM closes it with the progress saved.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"; fi
. "$(dirname "$0")/game_session.sh"

e2e_start "$1" "$2/title_menu" SDL_AUDIODRIVER=dummy
[ "$WIDTH" = 780 ] && [ "$HEIGHT" = 520 ] || { echo "window is ${WIDTH}x${HEIGHT}, expected 780x520"; exit 1; }

e2e_shot 1_title_picture
e2e_click 195 130
sleep 0.5
e2e_shot 2_title_screen
e2e_click 195 130
sleep 1.5
e2e_shot 3_title_menu

# The labels "About" and "Start" slid in over the lower right.
changed=$(e2e_diff 2_title_screen 3_title_menu 256 204 133 56)
echo "label area pixels changed: $changed"
[ "$changed" -gt 400 ] || { echo "no choices on the title menu"; exit 1; }
changed=$(e2e_diff 1_title_picture 2_title_screen 0 0 390 260)
[ "$changed" -gt 10000 ] || { echo "the first click did not show the title screen"; exit 1; }

caption=$(xdotool getwindowname "$WIN")
echo "caption: $caption"
[[ "$caption" == FLM:* ]] || { echo "no frame readout in the caption"; exit 1; }

kill -TERM "$GAME_PID"
for _ in $(seq 50); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$GAME_PID" 2>/dev/null; then echo "the game did not close on SIGTERM"; exit 1; fi
lines=$(wc -l <"$WORK/dat/my.dat")
[ "$lines" = 1103 ] || { echo "my.dat has $lines lines after closing"; exit 1; }
echo "title menu shown; closed cleanly with progress saved"
