// The end of every visit: the customer pays, the counter is cleared and an
// hour goes by; at the last hour the manager comes in.
#include <string>

#include "app/form.h"
#include "app/random.h"

void TForm1::SettlePayment(PaymentOutcome outcome) {
  const int price = goods_table[current_goods].price;
  switch (outcome) {
    case kPayDoubleTip:
      PrintColorMessage("チップを大量に代金に加算してくれた", "yellow2");
      GainMoney(2 * price);
      break;
    case kPayTip:
      PrintColorMessage("チップを代金に加算してくれた", "yellow2");
      GainMoney(price + price / 2);
      break;
    case kPayInFull:
      GainMoney(price);
      break;
    case kPayHalf:
      PrintColorMessage("お金を半分しか払ってくれなかった..", "red");
      GainMoney(price / 2 + 1);
      break;
    case kPayNothing:
      SayColor("お金を払ってくれなかった....", "red");
      break;
    case kPayGone:
      break;
  }

  ShowShopScene();
  goods_card_state = 2;  // the goods card slides out
  seal_box_state = 0;
  my.hours_to_closing -= 1;
  if (my.hours_to_closing > 0) {
    OfferChoices("", "", "次");
    return;
  }

  Say("『あ、時間だ、今日はもう終わりだ・・・』");
  LoadScenePicture("ten.bmp");
  if (Random(10) == 0) {
    PlaySound(1, "aha.wav");
  } else {
    PlaySound(0, "fun.wav");
  }
  SayColor("天長が現れた!!", "pink");
  DayEndReview();
}

void TForm1::GainMoney(int amount) {
  my.money += amount;
  PlaySound(0, "coin.wav");
  SayColor("お金 " + std::to_string(amount) + "円を入手", "yellow2");
}
