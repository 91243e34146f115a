// A customer comes in with something to wrap, or is sent away crying.
#include <string>

#include "app/form.h"
#include "app/random.h"

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

void TForm1::ChooseNextCustomer() {
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

  PrintColorMessage(customer.name + "が現れた!!", "pink");
  PrintMessage("");
  LoadCustomerPicture(customer.picture);
  for (const std::string& line : customer.request_lines) {
    if (line.empty()) break;
    SayColor(line, "pink2");
  }

  goods_card_slide = 100;  // the goods card slides in from the right
  LoadPackagePicture(goods_table[current_goods].picture);
  OfferChoices("", "断る", "包む");
}

void TForm1::RefuseCustomer() {
  const tman& customer = customer_table[current_customer];
  const int rank = customer.rank;
  const int satisfaction = my.satisfaction;

  Say("『いやだよ』");
  LoadCustomerPicture("not.bmp");
  LoadPackagePicture("not.bmp");
  goods_card_state = 2;  // the goods card slides out

  static const char* const kCrying[] = {"naki.wav", "naki2.wav", "naki3.wav"};
  PlaySound(0, kCrying[Random(3)]);
  Say(customer.name + "は泣きながらどこかへ行った");
  ChangeSatisfaction(-(rank + Random(rank + 2) + satisfaction / 20));
  SettlePayment(kPayGone);
}
