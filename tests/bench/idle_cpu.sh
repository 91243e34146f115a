#!/usr/bin/env bash
# CPU used by the real game while it waits, per scene (a click wait after
# Start, the title menu, the evening shop's panel) and per sound driver (SDL's
# silent "dummy" and its "disk" driver, which consumes samples in real time):
# the whole process and each thread, over SECONDS (20 unless given).
# Usage: idle_cpu.sh BUILD_DIR [SECONDS]   (under a display, or it starts Xvfb)
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"; fi
BUILD=$(cd "$1" && pwd)
SECONDS_EACH=${2:-20}
BENCH="$BUILD/tests/bench/idle_bench"
[ -x "$BENCH" ] || { echo "build $BENCH first (cmake --build $1 --target idle_bench)"; exit 1; }
DISK_FILE=$(mktemp)
trap 'rm -f "$DISK_FILE"' EXIT
for driver in dummy disk; do
  for scene in click title shop; do
    SDL_AUDIODRIVER=$driver SDL_DISKAUDIOFILE="$DISK_FILE" \
      "$BENCH" "$scene" "$SECONDS_EACH" "$BUILD/dist" 2>/dev/null
    : >"$DISK_FILE"
  done
done
echo "targets: click wait 1.0 %, title menu 2 %, shop panel 1.5 % of one core"
