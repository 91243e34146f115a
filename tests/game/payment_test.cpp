// What a customer pays, the hour that goes by, and the closing.
#include "tests/game/fixture.h"

namespace {

class PaymentTest : public ShopTest {
 protected:
  int Pay(PaymentOutcome outcome, int price, int money = 1000) {
    Forget();
    AtCounter(0, 1);
    form->goods_table[1].price = price;
    form->my.money = money;
    form->my.hours_to_closing = 5;
    form->seal_box_state = 5;
    Run([&] { form->SettlePayment(outcome); });
    EXPECT_EQ(form->my.hours_to_closing, 4);
    EXPECT_EQ(form->seal_box_state, 0);
    EXPECT_EQ(form->goods_card_state, 2);
    EXPECT_EQ(Offered(), Choices("", "", "次"));
    return form->my.money - money;
  }
};

TEST_F(PaymentTest, AmountsForAPriceOfFifteen) {
  EXPECT_EQ(Pay(kPayDoubleTip, 15), 30);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"チップを大量に代金に加算してくれた", "お金 30円を入手"}));
  EXPECT_EQ(lines[0].kind, kYellow2);
  EXPECT_EQ(lines[1].kind, kYellow2);
  EXPECT_EQ(Pay(kPayTip, 15), 22);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"チップを代金に加算してくれた", "お金 22円を入手"}));
  EXPECT_EQ(Pay(kPayInFull, 15), 15);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"お金 15円を入手"}));
  EXPECT_EQ(Pay(kPayHalf, 15), 8);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"お金を半分しか払ってくれなかった..", "お金 8円を入手"}));
  EXPECT_EQ(lines[0].kind, kRed);
  EXPECT_EQ(Pay(kPayNothing, 15), 0);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"お金を払ってくれなかった...."}));
  EXPECT_EQ(Pay(kPayGone, 15), 0);
  EXPECT_TRUE(lines.empty());
  EXPECT_FALSE(HeardSound("0:coin.wav"));
  EXPECT_EQ(Pay(kPayInFull, 15), 15);
  EXPECT_TRUE(HeardSound("0:coin.wav"));
}

TEST_F(PaymentTest, OneYenGoodsStillPayOneForATipOrHalf) {
  EXPECT_EQ(Pay(kPayTip, 1), 1);
  EXPECT_EQ(Pay(kPayHalf, 1), 1);
  EXPECT_EQ(Pay(kPayDoubleTip, 1), 2);
}

TEST_F(PaymentTest, EachMoneyLineWaitsButTheTipLineDoesNot) {
  waits = 0;
  Pay(kPayTip, 15);
  EXPECT_EQ(waits, 1);
  waits = 0;
  Pay(kPayNothing, 15);
  EXPECT_EQ(waits, 1);
  waits = 0;
  Pay(kPayInFull, 0);
  EXPECT_EQ(waits, 1);
  EXPECT_TRUE(Printed("お金 0円を入手"));
}

TEST_F(PaymentTest, TheLastHourBringsTheManager) {
  for (int aha : {0, 1}) {
    Forget();
    AtCounter(0, 1);
    form->my.hours_to_closing = 1;
    form->my.satisfaction = 40;  // nothing to say about it
    form->my.clerk_level = 0;
    draws.Queue(10, {aha});
    Run([&] { form->SettlePayment(kPayGone); });
    EXPECT_EQ(form->my.hours_to_closing, 0);
    const int closing = IndexOf("『あ、時間だ、今日はもう終わりだ・・・』");
    ASSERT_GE(closing, 0);
    EXPECT_EQ(lines[closing].kind, kKindMessage);
    EXPECT_EQ(IndexOf("天長が現れた!!"), closing + 1);
    EXPECT_EQ(KindOf("天長が現れた!!"), kPink);
    // The manager's entrance is the first sound after the closing line.
    std::string entrance;
    for (const Sound& s : sounds)
      if (entrance.empty() && s.after_lines == static_cast<size_t>(closing) + 1 && s.name != "moji.wav" &&
          s.name != "3.wav")
        entrance = std::to_string(s.channel) + ":" + s.name;
    EXPECT_EQ(entrance, aha == 0 ? "1:aha.wav" : "0:fun.wav");
    EXPECT_EQ(IndexOf("うむっ、今日のお客さんの満足度は 40％じゃ。"), closing + 2);
    // The review hands over to the evening shop.
    EXPECT_TRUE(form->item_box.visible);
  }
}

}  // namespace
