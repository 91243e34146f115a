#!/usr/bin/env bash
# Only a platform's own folder includes its libraries' headers: SDL, SDL_ttf,
# FluidSynth and libjpeg in platform/desktop/, Emscripten in platform/web/.
# Tests may include them to check those platforms. Prints every include out
# of place and fails; a planted one must be caught (the check checks itself).
#   tests/platform_headers.sh SOURCE_DIR
set -uo pipefail
root="${1:?usage: platform_headers.sh SOURCE_DIR}"
desktop='SDL[^">]*|SDL2/[^">]*|fluidsynth[^">]*|jpeglib\.h|jerror\.h|jconfig\.h|jmorecfg\.h'
web='emscripten[^">]*'
include() { echo "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($1)[\">]"; }

# Every C and C++ file of the game, its tools and its platforms, not tests
# nor build folders.
sources() {
  (cd "$1" && find . \( -path ./tests -o -path ./sound/mixer/tests -o -path './build*' -o -name node_modules \
    -o -path ./.git \) -prune -o -type f \( -name '*.c' -o -name '*.cc' -o -name '*.cpp' -o -name '*.h' -o -name '*.hpp' \) \
    -print | sed 's|^\./||' | sort)
}

# The offending lines under $1, as file:line: text.
misplaced() {
  local dir="$1" file
  sources "$dir" | while read -r file; do
    case "$file" in
      platform/desktop/*) grep -HnE "$(include "$web")" "$dir/$file" ;;
      platform/web/*) grep -HnE "$(include "$desktop")" "$dir/$file" ;;
      *) grep -HnE "$(include "$desktop|$web")" "$dir/$file" ;;
    esac
  done | sed "s|^$dir/||"
}

# The check itself: a planted include of each kind out of its folder is found,
# one in its folder is not.
plant="$(mktemp -d)"
trap 'rm -rf "$plant"' EXIT
mkdir -p "$plant/app" "$plant/platform/desktop" "$plant/platform/web" "$plant/tests"
printf '#include <SDL.h>\n  #  include "fluidsynth.h"\n#include <jpeglib.h>\n#include <emscripten/html5.h>\n#include <SDL_ttf.h>\n' \
  >"$plant/app/a.cpp"
printf '#include <SDL.h>\n#include <emscripten.h>\n' >"$plant/platform/desktop/d.cpp"
printf '#include <emscripten.h>\n#include <SDL.h>\n' >"$plant/platform/web/w.h"
printf '#include <SDL.h>\n' >"$plant/tests/t.cpp"
found="$(misplaced "$plant" | cut -d: -f1,2 | tr '\n' ' ')"
expected='app/a.cpp:1 app/a.cpp:2 app/a.cpp:3 app/a.cpp:4 app/a.cpp:5 platform/desktop/d.cpp:2 platform/web/w.h:2 '
if [ "$found" != "$expected" ]; then
  echo "platform_headers: the check itself is broken: found '$found', expected '$expected'"
  exit 2
fi

out="$(misplaced "$root")"
if [ -n "$out" ]; then
  echo "Platform headers outside their platform's folder (platform/desktop/, platform/web/):"
  echo "$out"
  exit 1
fi
echo "platform_headers: $(sources "$root" | wc -l) files, every platform header in its folder"
