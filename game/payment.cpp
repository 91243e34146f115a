// The end of every visit: the customer pays, the counter is cleared and an
// hour goes by; at the last hour the manager comes in.
#include <string>

#include "game/random.h"
#include "game/shop_day.h"

void ShopDay::SettlePayment(Payment outcome) {
  const int price = goods_table[current_goods].price;
  switch (outcome) {
    case Payment::DoubleTip:
      stage.Line("チップを大量に代金に加算してくれた", Ink::Yellow2);
      GainMoney(2 * price);
      break;
    case Payment::Tip:
      stage.Line("チップを代金に加算してくれた", Ink::Yellow2);
      GainMoney(price + price / 2);
      break;
    case Payment::InFull:
      GainMoney(price);
      break;
    case Payment::Half:
      stage.Line("お金を半分しか払ってくれなかった..", Ink::Red);
      GainMoney(price / 2 + 1);
      break;
    case Payment::Nothing:
      Say("お金を払ってくれなかった....", Ink::Red);
      break;
    case Payment::Gone:
      break;
  }

  stage.ShowShopFront();
  stage.ClearCounter();
  my.hours_to_closing -= 1;
  if (my.hours_to_closing > 0) {
    stage.Offer(Command::None, Command::None, Command::Next);
    return;
  }

  Say("『あ、時間だ、今日はもう終わりだ・・・』");
  stage.ShowScene("ten.bmp");
  if (Random(10) == 0) {
    stage.Sound(1, "aha.wav");
  } else {
    stage.Sound(0, "fun.wav");
  }
  Say("天長が現れた!!", Ink::Pink);
  DayEndReview();
}

void ShopDay::GainMoney(int amount) {
  my.money += amount;
  stage.Sound(0, "coin.wav");
  Say("お金 " + std::to_string(amount) + "円を入手", Ink::Yellow2);
}
