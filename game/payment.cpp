// The end of every visit: the customer pays, the counter is cleared and an
// hour goes by; at the last hour the manager comes in.
#include <string>

#include "app/form.h"
#include "app/random.h"

void TForm1::SettlePayment(int outcome) {
  const int price = goods_table[current_goods].price;
  switch (outcome) {
    case -2:
      PrintColorMessage("チップを大量に代金に加算してくれた", "yellow2");
      GainMoney(2 * price);
      break;
    case -1:
      PrintColorMessage("チップを代金に加算してくれた", "yellow2");
      GainMoney(price + price / 2);
      break;
    case 0:
      GainMoney(price);
      break;
    case 1:
      PrintColorMessage("お金を半分しか払ってくれなかった..", "red");
      GainMoney(price / 2 + 1);
      break;
    case 2:
      SayColor("お金を払ってくれなかった....", "red");
      break;
    default:  // 3: gone without paying
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
