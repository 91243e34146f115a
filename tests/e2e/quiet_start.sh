#!/usr/bin/env bash
# The real game started where ALSA finds no sound card: the terminal shows the
# game's one line about it and nothing of the sound library's own.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"; fi
. "$(dirname "$0")/game_session.sh"

e2e_start "$1" "$2/quiet_start" SDL_AUDIODRIVER=alsa ALSA_CARD=picolatte-no-such-card
e2e_stop
echo "--- what the game printed:"
cat "$OUT/game.log"
echo "---"
[ "$(cat "$OUT/game.log")" = "picolatte: no sound device, the shop stays silent" ] ||
  { echo "expected exactly the game's one line about the missing sound device"; exit 1; }
