#!/usr/bin/env bash
# The real game under Xvfb with SDL's disk audio driver: the first click on
# the title must be heard. Before the click the output is silent; after it
# the captured samples must carry the start sound.
# Usage: audio_e2e.sh path/to/dist/picolatte
set -euo pipefail

game_dir=$(cd "$(dirname "$1")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A copy of the game without the progress played in the build: a fresh start.
mkdir "$work/dist"
tar -C "$game_dir" --exclude=./dat/my.dat -cf - . | tar -C "$work/dist" -xf -

cat >"$work/run.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
work=$1
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/out.raw"
"$work/dist/picolatte" 2>"$work/stderr.txt" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
win=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid")
win=${win%%$'\n'*}               # the first window
sleep 1.5                        # the title, silent
before=$(stat -c %s "$work/out.raw")
xdotool mousemove --window "$win" 195 130 click 1
sleep 2                          # the start sound
after=$(stat -c %s "$work/out.raw")
kill -TERM "$pid"                # closes the window like the player would
wait "$pid" || true
trap - EXIT
echo "$before $after" >"$work/offsets.txt"
INNER
chmod +x "$work/run.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$work/run.sh" "$work"

read -r before after <"$work/offsets.txt"
before=$((before / 4 * 4))
[ "$before" -gt 0 ] || { echo "no audio captured before the click"; exit 1; }
[ "$after" -gt "$before" ] || { echo "no audio captured after the click"; exit 1; }

# Peak levels (0 to 1) of the raw 16-bit stereo 44100 Hz capture.
peak() { sox -t raw -r 44100 -e signed -b 16 -c 2 "$1" -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}'; }
head -c "$before" "$work/out.raw" >"$work/title.raw"
dd if="$work/out.raw" of="$work/click.raw" bs=4 skip=$((before / 4)) count=$(((after - before) / 4)) status=none
title_peak=$(peak "$work/title.raw")
click_peak=$(peak "$work/click.raw")
echo "peak before the click: $title_peak, after: $click_peak"
awk -v t="$title_peak" -v c="$click_peak" 'BEGIN { exit !(t < 0.01 && c > 0.05) }' || {
  echo "the click was not heard"; cat "$work/stderr.txt"; exit 1; }
