// How customers take the seal, and the satisfaction it moves.
#include <algorithm>

#include "tests/game/fixture.h"

namespace {

class SealReactionTest : public ShopTest {
 protected:
  // Customer `who` with their first wish on the counter, `seal` held once and
  // stuck at (x, y); the whole reaction runs to the payment.
  void Stick(int who, int seal, int x = 195, int y = 170, int satisfaction = 40, int level = 8) {
    const tman& customer = form->customer_table[who];
    AtCounter(who, customer.wished_goods[0]);
    form->my.clerk_level = level;  // 8: no gain bonus, amounts read as in the tiers
    form->my.satisfaction = satisfaction;
    form->my.money = 0;
    form->my.hours_to_closing = 5;
    form->my.stock[seal] = 1;
    form->my.seal_collected[seal] = 0;
    form->item_box.visible = true;
    form->current_seal = seal;
    form->seal_x = x;
    form->seal_y = y;
    form->seal_box_state = 5;
    Run([&] { form->UseItem(seal); });
    // Used up and collected whatever the reaction.
    EXPECT_EQ(form->my.stock[seal], 0);
    EXPECT_EQ(form->my.seal_collected[seal], 1);
    EXPECT_FALSE(form->item_box.visible);
    EXPECT_EQ(form->seal_box_state, 0);
    EXPECT_EQ(Offered(), Choices("", "", "次"));
  }
  int Price(int who) const { return form->goods_table[form->customer_table[who].wished_goods[0]].price; }
  int Hearts() const {
    return static_cast<int>(
        std::count_if(lines.begin(), lines.end(), [](const Line& l) { return l.kind == kKindHeart; }));
  }
  // A seal customer `who` neither likes nor dislikes.
  int NeutralSealFor(int who) const {
    const tman& c = form->customer_table[who];
    for (int g = 100; g <= 150; ++g) {
      if (form->goods_table[g].kind != kKindSeal || g == 129 || g == 133) continue;
      if (std::find(c.liked_seals.begin(), c.liked_seals.end(), g) != c.liked_seals.end()) continue;
      if (std::find(c.disliked_seals.begin(), c.disliked_seals.end(), g) != c.disliked_seals.end()) continue;
      return g;
    }
    return 0;
  }
  bool SaidFarewell(int who) const {
    const std::string& first = form->customer_table[who].farewell_lines[0];
    return !first.empty() && Printed(first);
  }
};

TEST_F(SealReactionTest, FavouriteSealIsGreatWithFiveHeartsAndATip) {
  const int who = 15;  // favourite 120 lies inside the disliked range
  ASSERT_EQ(form->customer_table[who].liked_seals[0], 120);
  const int rank = form->customer_table[who].rank;
  draws.Queue(12, {7});
  draws.fixed[2] = 1;  // big tip
  Stick(who, 120, 180, 160);
  EXPECT_TRUE(Printed(words::kGreatReactions[7]));
  EXPECT_EQ(Heard(), (std::vector<std::string>{"3:great.wav", "2:exp.wav", "0:coin.wav"}));
  EXPECT_EQ(KindOf(words::kGreatReactions[7]), kPink2);
  EXPECT_EQ(form->my.satisfaction, 40 + 3 * rank + 3);
  EXPECT_TRUE(Printed("チップを大量に代金に加算してくれた"));
  EXPECT_EQ(form->my.money, 2 * Price(who));
  EXPECT_TRUE(SaidFarewell(who));
  std::vector<std::pair<int, int>> hearts;
  for (const Line& l : lines)
    if (l.kind == kKindHeart) hearts.push_back({l.x, l.y});
  EXPECT_EQ(hearts,
            (std::vector<std::pair<int, int>>{{180, 160}, {130, 160}, {230, 160}, {180, 110}, {180, 210}}));
}

TEST_F(SealReactionTest, SealsLovedByAllAreLikedUnlessTheyAreTheFavourite) {
  // 129 for customer 0 (liked), and the same seal for customer 1, whose favourite it is.
  ASSERT_NE(form->customer_table[0].liked_seals[0], 129);
  draws.Queue(11, {3});
  draws.fixed[2] = 0;  // tip
  Stick(0, 129);
  EXPECT_TRUE(Printed(words::kLikedReactions[3]));
  EXPECT_EQ(Heard(), (std::vector<std::string>{"3:up2.wav", "2:exp.wav", "0:coin.wav"}));
  EXPECT_EQ(Hearts(), 1);
  EXPECT_EQ(form->my.satisfaction, 40 + 2 * form->customer_table[0].rank + 2);
  EXPECT_TRUE(Printed("チップを代金に加算してくれた"));
  EXPECT_EQ(form->my.money, Price(0) + Price(0) / 2);

  lines.clear();
  ASSERT_EQ(form->customer_table[1].liked_seals[0], 129);
  draws.Queue(12, {0});
  Stick(1, 129);
  EXPECT_EQ(Hearts(), 5);

  // 133: liked for customer 3, the favourite of customer 21.
  lines.clear();
  draws.Queue(11, {0});
  Stick(3, 133);
  EXPECT_EQ(Hearts(), 1);
  lines.clear();
  ASSERT_EQ(form->customer_table[21].liked_seals[0], 133);
  draws.Queue(12, {0});
  Stick(21, 133);
  EXPECT_EQ(Hearts(), 5);
}

TEST_F(SealReactionTest, DislikedWinsOverLikedAndSkipsTheFarewell) {
  const tman& c1 = form->customer_table[1];
  ASSERT_NE(std::find(c1.liked_seals.begin(), c1.liked_seals.end(), 111), c1.liked_seals.end());
  const int rank = c1.rank;
  // Random(4): 0 unpaid, 1 and 2 half, 3 full.
  const int expected_money[] = {0, Price(1) / 2 + 1, Price(1) / 2 + 1, Price(1)};
  for (int pay = 0; pay < 4; ++pay) {
    SCOPED_TRACE(pay);
    Forget();
    draws.Queue(11, {10});
    draws.Queue(4, {pay});
    Stick(1, 111);
    EXPECT_TRUE(Printed(words::kDislikedReactions[10]));
    EXPECT_EQ(Heard().front(), "3:oe.wav");
    EXPECT_EQ(Heard()[1], "2:down.wav");
    EXPECT_EQ(Hearts(), 0);
    EXPECT_EQ(form->my.satisfaction, 40 - (40 / 10 + 2 * rank));
    EXPECT_FALSE(SaidFarewell(1));
    EXPECT_EQ(form->my.money, expected_money[pay]);
  }
}

TEST_F(SealReactionTest, NeutralSealPaysInFullAndSaysGoodbye) {
  const tman& c0 = form->customer_table[0];
  const int seal = NeutralSealFor(0);
  ASSERT_NE(seal, 0);
  draws.Queue(12, {11});
  Stick(0, seal);
  EXPECT_TRUE(Printed(words::kNeutralReactions[11]));
  EXPECT_EQ(form->my.satisfaction, 40 + c0.rank + 1);
  EXPECT_EQ(form->my.money, Price(0));
  EXPECT_TRUE(SaidFarewell(0));
}

TEST_F(SealReactionTest, PrinceGivesAStolenSealForALikedOneButNotForHisFavourite) {
  const int prince = CustomerNamed("某国の王子");
  ASSERT_GE(prince, 0);
  ASSERT_NE(form->customer_table[prince].liked_seals[0], 129);
  draws.Queue(11, {0});
  draws.Queue(4, {2});
  draws.fixed[2] = 1;
  form->my.stock[148] = 0;
  Stick(prince, 129);
  EXPECT_TRUE(Printed("そうだ、お礼にこれやるよ(盗んだやつだけど)"));
  EXPECT_EQ(form->my.stock[148], 1);
  // The gift comes after the satisfaction line and before the farewell.
  EXPECT_LT(IndexOf("お客の満足度 " + std::to_string(2 * form->customer_table[prince].rank + 2) + "UP"),
            IndexOf("そうだ、お礼にこれやるよ(盗んだやつだけど)"));

  lines.clear();
  const int favourite = form->customer_table[prince].liked_seals[0];
  const tmy before = form->my;
  draws.Queue(12, {0});
  Stick(prince, favourite);
  EXPECT_FALSE(Printed("そうだ、お礼にこれやるよ(盗んだやつだけど)"));
  for (int g = 146; g <= 149; ++g) EXPECT_EQ(form->my.stock[g], before.stock[g]);
}

TEST_F(SealReactionTest, ASealBeyondThePackageIsMisplacedButStillPaidAndCollected) {
  const int who = 3;
  AtCounter(who, form->customer_table[who].wished_goods[0]);
  const int w = form->picture_slots[3].Width();
  const int h = form->picture_slots[3].Height();
  ASSERT_GT(w, 0);
  const int rank = form->customer_table[who].rank;

  // Touching the right edge: 25 pixels beyond it.
  Forget();
  Stick(who, 120, 195 + w / 2 + 25, 170);
  EXPECT_TRUE(Printed("ちょっと、ちゃんと貼ってよ!!"));
  EXPECT_EQ(Heard(), (std::vector<std::string>{"3:choto.wav", "2:down.wav", "0:coin.wav"}));
  EXPECT_EQ(form->my.satisfaction, 40 - (40 / 10 + rank));
  EXPECT_EQ(form->my.money, Price(who));
  EXPECT_FALSE(SaidFarewell(who));

  // One pixel closer overlaps and is judged.
  lines.clear();
  Stick(who, 120, 195 + w / 2 + 24, 170);
  EXPECT_FALSE(Printed("ちょっと、ちゃんと貼ってよ!!"));
  // And the other edges.
  for (auto [x, y] : {std::pair{195 - w / 2 - 25, 170}, std::pair{195, 170 - h / 2 - 25},
                      std::pair{195, 170 + h / 2 + 25}}) {
    lines.clear();
    Stick(who, 120, x, y);
    EXPECT_TRUE(Printed("ちょっと、ちゃんと貼ってよ!!")) << x << "," << y;
  }
}

TEST_F(SealReactionTest, AMisplacedLossOfZeroShowsNothing) {
  const int who = 0;
  ASSERT_EQ(form->customer_table[who].rank, 0);
  Stick(who, 120, 0, 0, 9);
  EXPECT_TRUE(Printed("ちょっと、ちゃんと貼ってよ!!"));
  EXPECT_EQ(form->my.satisfaction, 9);
  for (const std::string& t : Texts()) EXPECT_EQ(t.find("お客の満足度"), std::string::npos) << t;
}

TEST_F(SealReactionTest, UsingAnEmptyGoodsNumberDoesNothing) {
  form->my.stock[130] = 1;
  form->item_box.visible = true;
  Run([&] { form->UseItem(130); });
  EXPECT_EQ(form->my.stock[130], 1);
  EXPECT_TRUE(form->item_box.visible);
  EXPECT_TRUE(lines.empty());
}

TEST_F(SealReactionTest, GainsGetALevelBonusThatShrinksLossesNever) {
  const int bonus[] = {10, 9, 8, 7, 5, 3, 2, 1, 0, 0};
  for (int level = 0; level < 10; ++level) {
    lines.clear();
    form->my.clerk_level = level;
    form->my.satisfaction = 0;
    Run([&] { form->ChangeSatisfaction(1); });
    EXPECT_EQ(form->my.satisfaction, 1 + bonus[level]) << level;
    EXPECT_EQ(Texts(), std::vector<std::string>{"お客の満足度 " + std::to_string(1 + bonus[level]) + "UP"});
    EXPECT_EQ(lines[0].kind, kYellow);
  }
  lines.clear();
  form->my.clerk_level = 0;
  form->my.satisfaction = 50;
  Run([&] { form->ChangeSatisfaction(-7); });
  EXPECT_EQ(form->my.satisfaction, 43);
  EXPECT_EQ(Texts(), std::vector<std::string>{"お客の満足度 7DOWN"});
  EXPECT_EQ(lines[0].kind, kRed);

  lines.clear();
  Run([&] { form->ChangeSatisfaction(0); });
  EXPECT_EQ(form->my.satisfaction, 43);
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(waits, 11);
}

TEST_F(SealReactionTest, NeutralFromARankZeroCustomerIsElevenAtLevelZeroAndOneAtLevelEight) {
  for (auto [level, gain] : {std::pair{0, 11}, std::pair{8, 1}}) {
    lines.clear();
    draws.Queue(12, {0});
    Stick(0, NeutralSealFor(0), 195, 170, 0, level);
    EXPECT_TRUE(Printed(words::kNeutralReactions[0]));
    EXPECT_EQ(form->my.satisfaction, gain);
    EXPECT_TRUE(Printed("お客の満足度 " + std::to_string(gain) + "UP"));
  }
}

TEST_F(SealReactionTest, ASealCarriedThroughAFullResetIsNotUsedUpBelowZero) {
  const int who = 3, seal = 140;  // not among the seals a new game hands out
  ASSERT_EQ(form->goods_table[seal].kind, kKindSeal);
  AtCounter(who, form->customer_table[who].wished_goods[0]);
  form->my.stock[seal] = 1;
  form->current_seal = seal;
  form->seal_box_state = 4;  // carrying it
  // Enter, Yes: every bit of progress is erased, the stock with it.
  platform->Key(KeyCode::Enter);
  platform->Key(KeyCode::Y, 100);  // the question's Yes
  form->ProcessMessages(0);
  ASSERT_EQ(form->my.stock[seal], 0);
  form->screen_phase = 1;
  ClickScene(195, 170);                // stick it all the same
  EXPECT_EQ(form->seal_box_state, 0);  // the visit ran to its payment
  EXPECT_EQ(form->my.stock[seal], 0);
  for (int g = 0; g < kGoodsCount; ++g) EXPECT_GE(form->my.stock[g], 0) << g;
}

}  // namespace
