#!/usr/bin/env bash
# The real game through one visit: title, Start, the customer, wrap, fold,
# finish, next. Random customers and stock make the path vary (a material
# can be out of stock), so every click is one that moves the visit on either
# way; screenshots of each stage land in OUT for review.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"; fi
. "$(dirname "$0")/game_session.sh"

e2e_start "$1" "$2/shop_visit" SDL_AUDIODRIVER=dummy
scene() { for _ in $(seq "$1"); do e2e_click 60 60; sleep 0.3; done; }
choice() { e2e_click 320 $((176 + 28 * ($1 - 1) + 14)); sleep 1.2; }

e2e_shot_lit 0_title_picture  # start-up done
e2e_click 195 130; sleep 0.5
e2e_click 195 130; sleep 1.5
e2e_shot 1_title_menu
choice 3                      # Start
e2e_shot 2_shop_open
scene 6                       # the customer comes in and asks
e2e_shot 3_customer
choice 3                      # 包む
e2e_shot 4_wrapped
choice 3                      # 折る (or 包む again when the material ran out)
e2e_shot 5_folded
choice 2                      # はい終わり (or 断る)
scene 8                       # goodbye and payment
e2e_shot 6_paid
choice 3                      # 次
scene 6
e2e_shot 7_next_customer

for pair in "1_title_menu 2_shop_open" "2_shop_open 3_customer" "6_paid 7_next_customer"; do
  set -- $pair
  changed=$(e2e_diff "$1" "$2" 0 0 390 260)
  echo "$1 -> $2: $changed pixels changed"
  [ "$changed" -gt 2000 ] || { echo "the scene did not move on from $1 to $2"; exit 1; }
done
# A customer stands behind the counter again after "次".
changed=$(e2e_diff 2_shop_open 7_next_customer 120 0 150 100)
[ "$changed" -gt 2000 ] || { echo "no customer after 次"; exit 1; }

kill -TERM "$GAME_PID"
for _ in $(seq 50); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
play_count=$(sed -n '1101p' "$WORK/dat/my.dat" | tr -d '\r')
[ "$play_count" = 1 ] || { echo "my.dat counts $play_count games, expected 1"; exit 1; }
echo "one visit played through; progress saved"
