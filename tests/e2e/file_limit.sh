#!/usr/bin/env bash
# The real game under a file-size limit (ulimit -f) too small for my.dat: the
# save at start-up must fail with the disk-full message, not kill the game
# with SIGXFSZ, and must leave no temporary file behind.
# Usage: file_limit.sh DIST_DIR
set -euo pipefail

dist=$(cd "$1" && pwd)
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cp "$dist/picolatte" "$work/"
ln -s "$dist/cg" "$work/cg"
mkdir "$work/dat"
find "$dist/dat" -maxdepth 1 -type f ! -name my.dat -exec cp -t "$work/dat/" {} +
# a fresh start: 1103 lines, over 3 KB, are saved at once

# 1 KB per file for the game alone; the copies above are made already.
(
  ulimit -f 1
  exec env SDL_AUDIODRIVER=dummy "$work/picolatte"
) >"$work/game.log" 2>&1 &
pid=$!

message='ﾃﾞｨｽｸがいっぱいです'
for _ in $(seq 300); do
  grep -q "$message" "$work/game.log" && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done

if ! kill -0 "$pid" 2>/dev/null; then
  status=0
  wait "$pid" || status=$?
  pid=""
  echo "the game ended with status $status (153 is SIGXFSZ) instead of reporting a full disk"
  cat "$work/game.log"
  exit 1
fi
if ! grep -q "$message" "$work/game.log"; then
  echo "no disk-full message within 30 s"
  cat "$work/game.log"
  exit 1
fi
leftovers=$(find "$work" -maxdepth 2 -name '*.tmp')
if [ -n "$leftovers" ]; then
  echo "temporary files left behind: $leftovers"
  exit 1
fi
echo "disk full reported, game still running, no temporary files"
