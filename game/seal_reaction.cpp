// How the customer takes the seal stuck on the package, and how the day's
// satisfaction moves.
#include <algorithm>
#include <string>

#include "content/words.h"
#include "game/random.h"
#include "game/shop_day.h"

namespace {

// A seal that misses the package is handled before the tiers are looked at.
enum class Reaction { Great, Liked, Disliked, Neutral };

template <size_t N>
bool Lists(const std::array<int32_t, N>& list, int seal) {
  return std::find(list.begin(), list.end(), seal) != list.end();
}

// A 50 x 50 square around the drop point must overlap the package, which is
// centred at (195, 170); touching edges do not count.
bool OnPackage(int x, int y, int width, int height) {
  return 195 - width / 2 < x + 25 && x - 25 < 195 + width / 2 && 170 - height / 2 < y + 25 &&
         y - 25 < 170 + height / 2;
}

Reaction Judge(const tman& customer, int seal) {
  Reaction tier = Reaction::Neutral;
  if (Lists(customer.liked_seals, seal)) tier = Reaction::Liked;
  if (Lists(customer.disliked_seals, seal)) tier = Reaction::Disliked;
  if (seal == kSealHajimeRobo || seal == kSealHen) tier = Reaction::Liked;  // everybody loves these two
  if (seal == customer.liked_seals[0]) tier = Reaction::Great;
  return tier;
}

}  // namespace

void ShopDay::StickSeal(int goods, int x, int y, int package_width, int package_height) {
  if (goods < 0 || goods >= kGoodsCount) return;
  if (goods_table[goods].name.empty()) return;
  // A seal carried across a full reset is no longer in stock: nothing to use up.
  if (my.stock[goods] > 0) my.stock[goods] -= 1;
  if (goods_table[goods].kind == kKindSeal) JudgeSeal(goods, x, y, package_width, package_height);
}

void ShopDay::JudgeSeal(int seal, int x, int y, int package_width, int package_height) {
  my.seal_collected[seal] = 1;  // even a crooked seal counts as collected

  const tman& customer = customer_table[current_customer];
  const int rank = customer.rank;

  if (!OnPackage(x, y, package_width, package_height)) {
    stage.Sound(3, "choto.wav");
    Say("ちょっと、ちゃんと貼ってよ!!", Ink::Pink2);
    ChangeSatisfaction(-(my.satisfaction / 10 + rank));
    SettlePayment(Payment::InFull);
    return;
  }

  const Reaction tier = Judge(customer, seal);
  bool farewell = true;
  switch (tier) {
    case Reaction::Great:
      stage.Hearts(x, y);
      stage.Hearts(x - 50, y);
      stage.Hearts(x + 50, y);
      stage.Hearts(x, y - 50);
      stage.Hearts(x, y + 50);
      stage.Sound(3, "great.wav");
      Say(words::kGreatReactions[Random(12)], Ink::Pink2);
      ChangeSatisfaction(3 * rank + 3);
      break;
    case Reaction::Liked:
      stage.Hearts(x, y);
      stage.Sound(3, "up2.wav");
      Say(words::kLikedReactions[Random(11)], Ink::Pink2);
      ChangeSatisfaction(2 * rank + 2);
      // Some customers give something back for a seal they like.
      if (customer.thanks_gifts > 0) {
        Say(customer.thanks_line, Ink::Pink2);
        GainItem(customer.first_thanks_gift + Random(customer.thanks_gifts));
      }
      break;
    case Reaction::Disliked:
      stage.Sound(3, "oe.wav");
      Say(words::kDislikedReactions[Random(11)], Ink::Pink2);
      ChangeSatisfaction(-(my.satisfaction / 10 + 2 * rank));
      farewell = false;
      break;
    case Reaction::Neutral:
      Say(words::kNeutralReactions[Random(12)], Ink::Pink2);
      ChangeSatisfaction(rank + 1);
      break;
  }

  if (farewell) {
    for (const std::string& line : customer.farewell_lines) {
      if (line.empty()) break;
      Say(line, Ink::Pink2);
    }
  }

  // What the customer pays is decided last, as they leave.
  Payment outcome = Payment::InFull;
  switch (tier) {
    case Reaction::Great:
      outcome = Random(2) == 0 ? Payment::Tip : Payment::DoubleTip;
      break;
    case Reaction::Liked:
      outcome = Random(2) == 0 ? Payment::Tip : Payment::InFull;
      break;
    case Reaction::Disliked: {
      constexpr Payment kByDraw[] = {Payment::Nothing, Payment::Half, Payment::Half, Payment::InFull};
      outcome = kByDraw[Random(4)];
      break;
    }
    case Reaction::Neutral:
      break;
  }
  SettlePayment(outcome);
}

void ShopDay::ChangeSatisfaction(int amount) {
  // Gains come with a bonus that shrinks as the clerk rises.
  static const int kLevelBonus[] = {10, 9, 8, 7, 5, 3, 2, 1};
  if (amount >= 1 && my.clerk_level >= 0 && my.clerk_level <= 7) amount += kLevelBonus[my.clerk_level];

  my.satisfaction += amount;
  if (amount >= 1) {
    stage.Sound(2, "exp.wav");
    Say("お客の満足度 " + std::to_string(amount) + "UP", Ink::Yellow);
  } else if (amount <= -1) {
    stage.Sound(2, "down.wav");
    Say("お客の満足度 " + std::to_string(-amount) + "DOWN", Ink::Red);
  }
}
