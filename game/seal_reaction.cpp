// How the customer takes the seal stuck on the package, and how the day's
// satisfaction moves.
#include <algorithm>
#include <string>

#include "app/form.h"
#include "app/random.h"
#include "content/words.h"

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

void TForm1::UseItem(int goods) {
  if (goods < 0 || goods >= kGoodsCount) return;
  if (goods_table[goods].name.empty()) return;
  item_box.visible = false;
  // A seal carried across a full reset is no longer in stock: nothing to use up.
  if (my.stock[goods] > 0) my.stock[goods] -= 1;
  if (goods_table[goods].kind == kKindSeal) JudgeSeal();
}

void TForm1::JudgeSeal() {
  if (current_seal < 0 || current_seal >= kGoodsCount) return;
  my.seal_collected[current_seal] = 1;  // even a crooked seal counts as collected

  const tman& customer = customer_table[current_customer];
  const int rank = customer.rank;
  const int x = seal_x, y = seal_y;

  if (!OnPackage(x, y, picture_slots[kPackageSlot].Width(), picture_slots[kPackageSlot].Height())) {
    PlaySound(3, "choto.wav");
    SayColor("ちょっと、ちゃんと貼ってよ!!", "pink2");
    ChangeSatisfaction(-(my.satisfaction / 10 + rank));
    SettlePayment(kPayInFull);
    return;
  }

  const Reaction tier = Judge(customer, current_seal);
  bool farewell = true;
  switch (tier) {
    case Reaction::Great:
      AddEffect(x, y, "", kKindHeart);
      AddEffect(x - 50, y, "", kKindHeart);
      AddEffect(x + 50, y, "", kKindHeart);
      AddEffect(x, y - 50, "", kKindHeart);
      AddEffect(x, y + 50, "", kKindHeart);
      PlaySound(3, "great.wav");
      SayColor(words::kGreatReactions[Random(12)], "pink2");
      ChangeSatisfaction(3 * rank + 3);
      break;
    case Reaction::Liked:
      AddEffect(x, y, "", kKindHeart);
      PlaySound(3, "up2.wav");
      SayColor(words::kLikedReactions[Random(11)], "pink2");
      ChangeSatisfaction(2 * rank + 2);
      if (customer.name == "某国の王子") {
        SayColor("そうだ、お礼にこれやるよ(盗んだやつだけど)", "pink2");
        GainItem(kSealTreasure + Random(4));
      }
      break;
    case Reaction::Disliked:
      PlaySound(3, "oe.wav");
      SayColor(words::kDislikedReactions[Random(11)], "pink2");
      ChangeSatisfaction(-(my.satisfaction / 10 + 2 * rank));
      farewell = false;
      break;
    case Reaction::Neutral:
      SayColor(words::kNeutralReactions[Random(12)], "pink2");
      ChangeSatisfaction(rank + 1);
      break;
  }

  if (farewell) {
    for (const std::string& line : customer.farewell_lines) {
      if (line.empty()) break;
      SayColor(line, "pink2");
    }
  }

  // What the customer pays is decided last, as they leave.
  PaymentOutcome outcome = kPayInFull;
  switch (tier) {
    case Reaction::Great:
      outcome = Random(2) == 0 ? kPayTip : kPayDoubleTip;
      break;
    case Reaction::Liked:
      outcome = Random(2) == 0 ? kPayTip : kPayInFull;
      break;
    case Reaction::Disliked: {
      constexpr PaymentOutcome kByDraw[] = {kPayNothing, kPayHalf, kPayHalf, kPayInFull};
      outcome = kByDraw[Random(4)];
      break;
    }
    case Reaction::Neutral:
      break;
  }
  SettlePayment(outcome);
}

void TForm1::ChangeSatisfaction(int amount) {
  // Gains come with a bonus that shrinks as the clerk rises.
  static const int kLevelBonus[] = {10, 9, 8, 7, 5, 3, 2, 1};
  if (amount >= 1 && my.clerk_level >= 0 && my.clerk_level <= 7) amount += kLevelBonus[my.clerk_level];

  my.satisfaction += amount;
  if (amount >= 1) {
    PlaySound(2, "exp.wav");
    SayColor("お客の満足度 " + std::to_string(amount) + "UP", "yellow");
  } else if (amount <= -1) {
    PlaySound(2, "down.wav");
    SayColor("お客の満足度 " + std::to_string(-amount) + "DOWN", "red");
  }
}
