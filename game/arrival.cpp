// A customer comes in with something to wrap, or is sent away crying.
#include <string>

#include "game/random.h"
#include "game/shop_day.h"

namespace {

// Only the first nine wishes are ever drawn.
constexpr int kWishesDrawn = 9;

bool HasWishes(const tman& customer) {
  for (int p = 0; p < kWishesDrawn; ++p) {
    if (customer.wished_goods[p] != 0) return true;
  }
  return false;
}

}  // namespace

void ShopDay::ChooseNextCustomer() {
  // Anyone whose rank the clerk's level allows; the rank-0 regulars always
  // qualify. A customer without a wish to draw could never be served, so he
  // does not come at all.
  int n = 0;
  for (;;) {
    n = Random(99);
    const tman& candidate = customer_table[n];
    if (!candidate.name.empty() && candidate.rank <= my.clerk_level && HasWishes(candidate)) break;
  }
  current_customer = n;
  const tman& customer = customer_table[n];

  int wish = 0;
  do {
    wish = customer.wished_goods[Random(kWishesDrawn)];
  } while (wish == 0);
  current_goods = wish;

  stage.Line(customer.name + "が現れた!!", Ink::Pink);
  stage.Line("", Ink::Plain);
  stage.ShowCustomer(customer.picture);
  for (const std::string& line : customer.request_lines) {
    if (line.empty()) break;
    Say(line, Ink::Pink2);
  }

  stage.ShowGoods(current_goods);
  stage.Offer(Command::None, Command::Refuse, Command::Wrap);
}

void ShopDay::RefuseCustomer() {
  const tman& customer = customer_table[current_customer];
  const int rank = customer.rank;
  const int satisfaction = my.satisfaction;

  Say("『いやだよ』");
  stage.ShowCustomer("not.bmp");
  stage.ShowPackage("not.bmp");
  stage.ClearCounter();

  static const char* const kCrying[] = {"naki.wav", "naki2.wav", "naki3.wav"};
  stage.Sound(0, kCrying[Random(3)]);
  Say(customer.name + "は泣きながらどこかへ行った");
  ChangeSatisfaction(-(rank + Random(rank + 2) + satisfaction / 20));
  SettlePayment(Payment::Gone);
}
