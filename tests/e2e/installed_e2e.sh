#!/usr/bin/env bash
# The installed game: `cmake --install` into a temporary prefix, and the .deb
# unpacked into a temporary root. Each runs from a tree nobody may write,
# with HOME and the XDG folders in a temporary home: the progress, the sheet
# and the settings appear there, a reinstall keeps the progress byte for
# byte, and the installed tree is left exactly as it was.
#   installed_e2e.sh BUILD_DIR OUT_DIR
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"; fi
BUILD=$(cd "$1" && pwd)
OUT=$2
mkdir -p "$OUT"
T=$(mktemp -d)
GAME_PID=""
# A window manager, so that F11 really makes the window fullscreen.
openbox >/dev/null 2>&1 &
WM_PID=$!
sleep 1
cleanup() {
  [ -n "$GAME_PID" ] && kill -KILL "$GAME_PID" 2>/dev/null || true
  kill "$WM_PID" 2>/dev/null || true
  chmod -R u+w "$T" 2>/dev/null || true
  rm -rf "$T"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

. "$(dirname "$0")/game_window.sh"

snapshot() { (cd "$1" && find . -printf '%p %s %m %T@\n' | sort); }

start_game() {  # EXE LOG
  env -u XDG_RUNTIME_DIR HOME="$T/home" XDG_DATA_HOME="$T/home/data" XDG_CONFIG_HOME="$T/home/config" \
    SDL_AUDIODRIVER=dummy "$1" >"$2" 2>&1 &
  GAME_PID=$!
  e2e_wait_window "$GAME_PID" "$2"
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$WIN")"
}

click() {  # scene X Y at the window's scale
  local scale=$((WIDTH / 390))
  xdotool mousemove --window "$WIN" $(($1 * scale + scale / 2)) $(($2 * scale + scale / 2)) click 1
}

close_game() {
  kill -TERM "$GAME_PID"
  for _ in $(seq 100); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$GAME_PID" 2>/dev/null && fail "the game did not close on SIGTERM"
  wait "$GAME_PID" || fail "the game exited with status $?"
  GAME_PID=""
}

play_count() { sed -n 1101p "$1" | tr -d '\r'; }

check_tree() {  # NAME ROOT EXE
  local name=$1 root=$2 exe=$3 save="$T/home/data/picolatte"
  rm -rf "$T/home"
  mkdir -p "$T/home/config/picolatte"
  # A settings file that is not one: reported, replaced by the defaults.
  printf 'Volume=loud\n' >"$T/home/config/picolatte/settings.ini"
  chmod -R a-w "$root"
  local before
  before=$(snapshot "$root")

  start_game "$exe" "$OUT/$name.1.log"
  grep -q "settings.ini" "$OUT/$name.1.log" || fail "$name: the corrupt settings file was not reported"
  [ "$WIDTH" = 780 ] || fail "$name: window is ${WIDTH} wide, expected 780"
  # Two clicks bring the title menu, a later one lands on "Start" once its
  # label has slid in; the clicks after it only move the first visit on.
  for _ in $(seq 8); do
    click 322 246
    sleep 0.8
  done
  xdotool windowfocus "$WIN"
  sleep 0.3
  xdotool key minus minus m F11
  sleep 1
  close_game

  [ -f "$save/my.dat" ] || fail "$name: no my.dat in $save"
  [ "$(wc -l <"$save/my.dat")" = 1103 ] || fail "$name: my.dat is not 1103 lines"
  [ "$(play_count "$save/my.dat")" = 1 ] || fail "$name: Start was not counted in my.dat"
  [ -f "$save/name.dat" ] || fail "$name: no name.dat"
  [ -f "$save/成績.txt" ] || fail "$name: no results sheet"
  iconv -f CP932 -t UTF-8 "$save/成績.txt" | grep -q "プレー回数: 1回" || fail "$name: the sheet does not count the play"
  local settings="$T/home/config/picolatte/settings.ini"
  cp "$settings" "$OUT/$name.settings.ini"
  grep -q "^Muted=1" "$settings" || fail "$name: mute not remembered"
  grep -q "^Volume=80" "$settings" || fail "$name: volume not remembered"
  grep -q "^Fullscreen=1" "$settings" || fail "$name: fullscreen not remembered"
  [ "$before" = "$(snapshot "$root")" ] || fail "$name: the installed tree was written to"

  # Upgrade: the same files installed again over the tree; the player's
  # progress stays byte for byte, and the next start keeps it and the window mode.
  local sum
  sum=$(sha256sum <"$save/my.dat")
  chmod -R u+w "$root"
  "${REINSTALL[@]}"
  chmod -R a-w "$root"
  [ "$sum" = "$(sha256sum <"$save/my.dat")" ] || fail "$name: reinstalling changed my.dat"
  start_game "$exe" "$OUT/$name.2.log"
  grep -q "settings.ini" "$OUT/$name.2.log" && fail "$name: the settings were reported again"
  close_game
  # The game closes in the mode it started in: fullscreen, as remembered.
  grep -q "^Fullscreen=1" "$settings" || fail "$name: fullscreen not restored at the next start"
  grep -q "^Muted=1" "$settings" || fail "$name: mute not restored at the next start"
  [ "$sum" = "$(sha256sum <"$save/my.dat")" ] || fail "$name: the second start replaced my.dat"
  chmod -R u+w "$root"
  echo "$name: progress, sheet and settings in the XDG folders; installed tree untouched"
}

# cmake --install into a prefix.
REINSTALL=(cmake --install "$BUILD" --prefix "$T/prefix")
"${REINSTALL[@]}" >/dev/null
check_tree prefix "$T/prefix" "$T/prefix/games/picolatte"

# The Debian package, unpacked.
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$T/deb" >/dev/null
DEB=$(ls "$T"/deb/picolatte_*_amd64.deb)
REINSTALL=(dpkg-deb -x "$DEB" "$T/root")
"${REINSTALL[@]}"
check_tree deb "$T/root" "$T/root/usr/games/picolatte"
cp "$DEB" "$OUT/"
echo "installed layouts work"
