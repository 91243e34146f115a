// The night at home and the next morning.
#include "tests/game/fixture.h"

namespace {

class NightTest : public ShopTest {
 protected:
  void Sleep(int level = 0, int money = 0) {
    lines.clear();
    form->screen_phase = 1;
    form->my.clerk_level = level;
    form->my.money = money;
    form->my.satisfaction = 77;
    form->my.hours_to_closing = 0;
    draws.asked.clear();
    Run([&] { form->DispatchChoice("帰って寝る"); });
  }
  // Holds exactly the given seals, one piece each, and nothing else.
  void HoldOnly(std::initializer_list<int> seals) {
    form->my.stock.fill(0);
    for (int g : seals) form->my.stock[g] = 1;
  }
  std::string Gift(int goods, int count = 1) const {
    return "Item【" + form->goods_table[goods].name + "】を 1個入手した(所持:" + std::to_string(count) +
           "個)";
  }
};

TEST_F(NightTest, AQuietNightAndAnOrdinaryMorning) {
  HoldOnly({});
  form->my.day = 4;
  form->my.best_days = 10;
  draws.Queue(15, {3, 0});  // no moon; the thief would come but level 0 keeps him away
  draws.Queue(13, {1});
  draws.Queue(12, {1});
  draws.Queue(10, {1});
  Sleep(0, 300);
  EXPECT_EQ(draws.AskedBesidesTyping(), (std::vector<int>{15, 15, 13, 12, 10}));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"『すやすや・・・・・・』", "次の日・・・・・",
                                               "おはようございますー", "よーし仕事だぜ"}));
  EXPECT_EQ(Heard(), (std::vector<std::string>{"2:night.wav", "3:koke.wav", "1:oha.wav"}));
  EXPECT_EQ(form->my.money, 300);
  EXPECT_EQ(form->my.day, 5);
  EXPECT_EQ(form->my.best_days, 10);
  EXPECT_EQ(form->my.satisfaction, 0);
  EXPECT_EQ(form->my.hours_to_closing, 8);
  EXPECT_EQ(Offered(), Choices("", "", "次"));
}

TEST_F(NightTest, DayCountAndBestDays) {
  form->my.day = 10;
  form->my.best_days = 10;
  Sleep(3);
  EXPECT_EQ(form->my.day, 11);
  EXPECT_EQ(form->my.best_days, 11);
  EXPECT_EQ(form->my.hours_to_closing, 11);
}

TEST_F(NightTest, TheMoonNightHasNoOtherLuck) {
  HoldOnly({});
  form->my.stock[136] = 2;
  draws.Queue(15, {0, 1});
  draws.Queue(13, {0});
  draws.Queue(12, {0});
  draws.Queue(10, {0});
  Sleep();
  // The chick, hen and egg are still drawn.
  EXPECT_EQ(draws.AskedBesidesTyping(), (std::vector<int>{15, 15, 13, 12, 10}));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"『すやすや・・・・・・』", "『ん？月が出てる・・・・！』",
                                               Gift(136, 3), "次の日・・・・・", "おはようございますー",
                                               "よーし仕事だぜ"}));
  EXPECT_EQ(form->my.stock[136], 3);
  EXPECT_EQ(form->my.stock[135], 0);
  EXPECT_EQ(form->my.stock[133], 0);
  EXPECT_EQ(form->my.stock[134], 0);
}

TEST_F(NightTest, AChickMorningStopsTheHenAndTheEgg) {
  HoldOnly({});
  draws.Queue(15, {1, 1});
  draws.Queue(13, {0});
  draws.Queue(12, {0});
  draws.Queue(10, {0});
  Sleep();
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{"『すやすや・・・・・・』", "次の日・・・・・", "あ、ヒヨコだ!!",
                                      Gift(135), "おはようございますー", "よーし仕事だぜ"}));
  EXPECT_EQ(form->my.stock[133], 0);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"2:night.wav", "0:hit.wav", "3:item.wav", "1:oha.wav"}));
}

TEST_F(NightTest, TheHenLaysASealAndStopsTheEgg) {
  HoldOnly({});
  draws.Queue(15, {1, 1});
  draws.Queue(13, {1});
  draws.Queue(12, {0});
  draws.Queue(10, {0});
  Sleep();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"『すやすや・・・・・・』", "次の日・・・・・", Gift(133),
                                               "おはようございますー", "よーし仕事だぜ"}));
  EXPECT_EQ(draws.AskedBesidesTyping(), (std::vector<int>{15, 15, 13, 12, 10}));
}

TEST_F(NightTest, EggsAreSometimesGolden) {
  HoldOnly({});
  draws.Queue(15, {1, 1});
  draws.Queue(13, {1});
  draws.Queue(12, {1});
  draws.Queue(10, {0});
  draws.Queue(5, {3});
  Sleep();
  EXPECT_EQ(draws.AskedBesidesTyping(), (std::vector<int>{15, 15, 13, 12, 10, 5}));
  EXPECT_TRUE(Printed("あ、卵を産んだ!!"));
  EXPECT_EQ(form->my.stock[134], 1);
  EXPECT_TRUE(HeardSound("0:takara.wav"));

  HoldOnly({});
  draws.Queue(15, {1, 1});
  draws.Queue(13, {1});
  draws.Queue(12, {1});
  draws.Queue(10, {0});
  draws.Queue(5, {0});
  Sleep();
  EXPECT_TRUE(Printed("あ、卵を産んだ!!、しかも黄金だ!!"));
  EXPECT_EQ(form->my.stock[150], 1);
  EXPECT_EQ(form->my.stock[134], 0);
}

TEST_F(NightTest, TheThiefTakesSealsOneDrawPerHeldSeal) {
  HoldOnly({100, 104, 120});
  form->my.stock[104] = 3;
  form->my.stock[5] = 2;    // articles are of no interest
  form->my.stock[201] = 4;  // nor are bags
  draws.Queue(15, {1, 0});
  draws.Queue(5, {0, 2, 0});
  draws.Queue(13, {1});
  draws.Queue(12, {1});
  draws.Queue(10, {1});
  Sleep(2, 800);
  EXPECT_EQ(draws.AskedBesidesTyping(), (std::vector<int>{15, 15, 5, 5, 5, 13, 12, 10}));
  const std::vector<std::string> expected = {
      "『すやすや・・・・・・』",
      "ゴト・・・・・・",
      "へへへっ、珍しいシールはないかなーん♪",
      "泥棒が侵入した!!",
      "【" + form->goods_table[100].name + "】が 1枚盗まれた!!(残: 0枚)",
      "【" + form->goods_table[120].name + "】が 1枚盗まれた!!(残: 0枚)",
      "次の日・・・・・",
      "おはようございますー",
      "よーし仕事だぜ"};
  EXPECT_EQ(Texts(), expected);
  EXPECT_EQ(KindOf(expected[4]), kRed);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"2:night.wav", "3:dorobou.wav", "0:down.wav", "0:down.wav",
                                               "3:koke.wav", "1:oha.wav"}));
  EXPECT_EQ(KindOf(expected[2]), kPink2);
  EXPECT_EQ(form->my.stock[100], 0);
  EXPECT_EQ(form->my.stock[104], 3);
  EXPECT_EQ(form->my.stock[120], 0);
  EXPECT_EQ(form->my.money, 800);
  EXPECT_EQ(form->my.hours_to_closing, 10);
}

TEST_F(NightTest, AThiefWhoFindsNoSealTakesHalfTheMoney) {
  HoldOnly({110});
  draws.Queue(15, {1, 0});
  draws.Queue(5, {4});
  Sleep(5, 999);
  EXPECT_TRUE(Printed("お金 499円が盗まれてしまった!!"));
  EXPECT_EQ(form->my.money, 500);
  EXPECT_EQ(form->my.stock[110], 1);

  HoldOnly({});
  draws.Queue(15, {1, 0});
  Sleep(2, 1);
  EXPECT_TRUE(Printed("お金 0円が盗まれてしまった!!"));
  EXPECT_EQ(form->my.money, 1);
}

TEST_F(NightTest, NoThiefBelowLevelTwoAndTheMoonDoesNotKeepHimAway) {
  HoldOnly({100});
  draws.Queue(15, {1, 0});
  Sleep(1, 100);
  EXPECT_FALSE(Printed("泥棒が侵入した!!"));
  EXPECT_EQ(form->my.money, 100);

  draws.Queue(15, {0, 0});
  draws.Queue(5, {1, 1});  // seal 100 and the moon's seal stay
  Sleep(2, 100);
  EXPECT_TRUE(Printed("『ん？月が出てる・・・・！』"));
  EXPECT_TRUE(Printed("泥棒が侵入した!!"));
  EXPECT_EQ(form->my.money, 50);
}

}  // namespace
