#!/usr/bin/env bash
# CPU used by the real game while it waits for a click, over 10 seconds.
# Usage: idle_cpu.sh DIST_DIR   (under a display, or it starts Xvfb itself)
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"; fi
. "$(dirname "$0")/../e2e/game_session.sh"
e2e_start "$1" "$(mktemp -d)" SDL_AUDIODRIVER=dummy
e2e_click 195 130; sleep 0.5
e2e_click 195 130; sleep 1.5
e2e_click 320 246; sleep 1.5   # Start: the shop opens and waits for a click
ticks() { awk '{print $14 + $15}' "/proc/$GAME_PID/stat"; }
t0=$(ticks); sleep 10; t1=$(ticks)
hz=$(getconf CLK_TCK)
awk -v a="$t0" -v b="$t1" -v hz="$hz" \
  'BEGIN { printf "idle click wait: %.2f %% of one core over 10 s (target 1 %%)\n", (b - a) / hz / 10 * 100 }'
