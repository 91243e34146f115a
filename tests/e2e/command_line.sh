#!/usr/bin/env bash
# The command line: --help and --version answer and exit 0 without opening a
# window; --lang takes en or ja; anything else is refused with status 2.   Usage: command_line.sh GAME VERSION
set -uo pipefail
GAME=$1
VERSION=$2
fail() { echo "FAIL: $*"; exit 1; }

out=$(env -u DISPLAY "$GAME" --help); rc=$?
[ "$rc" = 0 ] || fail "--help exited $rc"
grep -q "^Usage: picolatte" <<<"$out" || fail "--help printed no usage"
grep -q "M  *sound off and on" <<<"$out" || fail "--help does not list the mute key"
grep -q -- "--lang=en" <<<"$out" || fail "--help does not tell how to play in English"

out=$(env -u DISPLAY "$GAME" --version); rc=$?
[ "$rc" = 0 ] || fail "--version exited $rc"
[ "$out" = "picolatte $VERSION" ] || fail "--version printed '$out'"

err=$(env -u DISPLAY "$GAME" --fullscreen 2>&1 >/dev/null); rc=$?
[ "$rc" = 2 ] || fail "an unknown option exited $rc"
grep -q "unknown option '--fullscreen'" <<<"$err" || fail "an unknown option was not named: $err"
err=$(env -u DISPLAY "$GAME" --lang=fr 2>&1 >/dev/null); rc=$?
[ "$rc" = 2 ] || fail "--lang=fr exited $rc"
grep -q "en or ja" <<<"$err" || fail "--lang=fr was not explained: $err"
echo "command line: --help, --version, --lang and an unknown option behave"
