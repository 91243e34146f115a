// Whole visits played with the mouse: the title menu, the labels, the seal
// box and the scene, from the first customer to the next morning.
#include <algorithm>

#include "tests/game/fixture.h"

namespace {

class VisitTest : public ShopTest {
 protected:
  // From the title menu: "Start" brings `who` with wish position `wish`.
  void StartWith(int who, int wish) {
    draws.Queue(99, {who});
    draws.Queue(9, {wish});
    Choose("Start");
    ASSERT_EQ(form->current_customer, who);
    ASSERT_EQ(Offered(), Choices("", "断る", "包む"));
  }
  // The next customer after a visit.
  void NextWith(int who, int wish) {
    draws.Queue(99, {who});
    draws.Queue(9, {wish});
    Choose("次");
    ASSERT_EQ(form->current_customer, who);
  }
  void WrapAndFold() {
    Choose("包む");
    ASSERT_EQ(Offered(), Choices("", "", "折る"));
    Choose("折る");
    ASSERT_EQ(Offered(), Choices("", "はい終わり", "シール"));
  }
  // Opens the picker, takes the seal of the first cell and sticks it at (x, y).
  void SealWithFirstCell(int x, int y) {
    Choose("シール");
    ASSERT_TRUE(PumpUntil([&] { return form->seal_box_state == SealBoxState::Open; }));
    const int seal = form->seal_box_grid[0][0];
    ClickScene(35, 35);
    EXPECT_TRUE(Printed("【" + form->goods_table[seal].name + "】を取った、どこに貼ろっかな"));
    ASSERT_TRUE(PumpUntil([&] { return form->seal_box_state == SealBoxState::SealHeld; }));
    ClickScene(x, y);
    EXPECT_EQ(form->seal_x, x);
    EXPECT_EQ(form->seal_y, y);
  }
  void HoldOnlySeal(int seal) {
    for (int g = 100; g <= 150; ++g) form->my.stock[g] = 0;
    form->my.stock[seal] = 1;
  }
  int Price() const { return form->goods_table[form->current_goods].price; }
};

TEST_F(VisitTest, FavouriteSealFromStartToNextCustomer) {
  ASSERT_EQ(form->customer_table[21].liked_seals[0], 133);
  form->my.money = 0;
  StartWith(21, 0);
  form->my.stock.fill(0);
  form->my.stock[200 + form->goods_table[form->current_goods].wrap_class] = 1;
  HoldOnlySeal(133);
  WrapAndFold();
  draws.fixed[2] = 1;  // big tip
  SealWithFirstCell(195, 170);
  EXPECT_TRUE(HeardSound("3:great.wav"));
  EXPECT_EQ(form->my.stock[133], 0);
  EXPECT_EQ(form->my.seal_collected[133], 1);
  EXPECT_EQ(form->my.money, 2 * Price());
  EXPECT_EQ(form->my.hours_to_closing, 7);
  EXPECT_EQ(Offered(), Choices("", "", "次"));

  NextWith(0, 0);
  EXPECT_EQ(Offered(), Choices("", "断る", "包む"));
}

TEST_F(VisitTest, EverySealOutcomeThroughTheBox) {
  struct Case {
    int who, seal, x, y;
    const char* sound;
  };
  // A seal customer 0 has no feelings about.
  int neutral = 0;
  const tman& c0 = form->customer_table[0];
  for (int g = 100; g <= 150 && neutral == 0; ++g) {
    const bool liked = std::find(c0.liked_seals.begin(), c0.liked_seals.end(), g) != c0.liked_seals.end();
    const bool disliked =
        std::find(c0.disliked_seals.begin(), c0.disliked_seals.end(), g) != c0.disliked_seals.end();
    if (form->goods_table[g].kind == kKindSeal && !liked && !disliked && g != 129 && g != 133) neutral = g;
  }
  ASSERT_NE(neutral, 0);
  const std::vector<Case> cases = {
      {0, neutral, 200, 160, "2:exp.wav"},  // neutral: no reaction sound of its own
      {1, 129, 195, 170, "3:great.wav"},    // favourite
      {0, 129, 195, 170, "3:up2.wav"},      // loved by all
      {1, 111, 195, 170, "3:oe.wav"},       // liked and disliked: disliked
      {0, 129, 380, 20, "3:choto.wav"},     // far off the package
  };
  StartWith(0, 0);
  Choose("断る");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sound);
    form->my.stock.fill(3);
    HoldOnlySeal(c.seal);
    form->my.hours_to_closing = 5;
    NextWith(c.who, 0);
    WrapAndFold();
    Forget();
    SealWithFirstCell(c.x, c.y);
    EXPECT_TRUE(HeardSound(c.sound));
    // Stuck, then the reaction.
    const std::vector<std::string> heard = Heard();
    const auto stuck = std::find(heard.begin(), heard.end(), "0:point.wav");
    ASSERT_NE(stuck, heard.end());
    ASSERT_NE(stuck + 1, heard.end());
    EXPECT_EQ(*(stuck + 1), c.sound);
    EXPECT_EQ(form->my.stock[c.seal], 0);
    EXPECT_EQ(form->my.seal_collected[c.seal], 1);
    EXPECT_EQ(form->seal_box_state, SealBoxState::Closed);
    EXPECT_EQ(Offered(), Choices("", "", "次"));
  }
}

TEST_F(VisitTest, NoMaterialNoSealPlainPackageAndRefusal) {
  StartWith(0, 0);
  const int material = 200 + form->goods_table[form->current_goods].wrap_class;
  form->my.stock.fill(0);
  Choose("包む");
  EXPECT_TRUE(Printed(form->goods_table[material].name + "がもうありません"));
  EXPECT_EQ(Offered(), Choices("", "断る", "包む"));

  form->my.stock[material] = 1;
  WrapAndFold();
  Choose("シール");
  EXPECT_TRUE(Printed("シールがもう１枚もありません"));
  EXPECT_EQ(Offered(), Choices("", "はい終わり", "シール"));

  const int money = form->my.money;
  draws.Queue(12, {8});  // the sulky row
  Choose("はい終わり");
  EXPECT_TRUE(Printed(form->customer_table[0].name + "はむっつりして帰っていった...."));
  EXPECT_EQ(form->my.money, money + Price() / 2 + 1);
  EXPECT_EQ(Offered(), Choices("", "", "次"));

  NextWith(17, 0);
  Choose("断る");
  EXPECT_TRUE(Printed(form->customer_table[17].name + "は泣きながらどこかへ行った"));
  EXPECT_EQ(form->my.hours_to_closing, 6);
  EXPECT_EQ(Offered(), Choices("", "", "次"));
}

TEST_F(VisitTest, TheLastVisitClosesTheShopAndTheDayGoesOn) {
  StartWith(0, 0);
  form->my.hours_to_closing = 1;
  form->my.satisfaction = 60;  // promoted to level 1
  Choose("断る");
  EXPECT_TRUE(Printed("『あ、時間だ、今日はもう終わりだ・・・』"));
  EXPECT_EQ(form->my.clerk_level, 1);
  ASSERT_TRUE(form->item_box.visible);

  // Close the evening shop and go to bed.
  ClickScene(100, 244);
  EXPECT_FALSE(form->item_box.visible);
  EXPECT_EQ(Offered(), Choices("", "", "帰って寝る"));
  Choose("帰って寝る");
  EXPECT_EQ(form->my.day, 1);
  EXPECT_EQ(form->my.hours_to_closing, 9);
  EXPECT_EQ(form->my.satisfaction, 0);
  EXPECT_EQ(Offered(), Choices("", "", "次"));
  NextWith(1, 0);
}

TEST_F(VisitTest, FiredClerkStartsOverFromTheTitleMenu) {
  const int games = form->my.play_count;
  StartWith(0, 0);
  EXPECT_EQ(form->my.play_count, games + 1);
  form->my.hours_to_closing = 1;
  form->my.satisfaction = 5;
  form->my.money = 300;
  Choose("断る");
  EXPECT_TRUE(Printed("ゲームオーバー"));
  EXPECT_EQ(form->screen_phase, ScreenPhase::Menu);
  EXPECT_EQ(form->my.money, 0);
  EXPECT_EQ(Offered(), Choices("Collection", "About", "Start"));
  StartWith(1, 0);
  EXPECT_EQ(form->my.play_count, games + 2);
  EXPECT_EQ(form->my.hours_to_closing, 8);
}

}  // namespace
