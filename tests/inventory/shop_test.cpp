// The evening shop: what it offers, buying, selling out and closing.
#include <algorithm>

#include "tests/view/form_fixture.h"

namespace {

using fixture::FixedRandom;

class ShopTest : public fixture::FormTest {
 protected:
  bool Listed(const std::string& name) const {
    const auto& e = form->item_box.entries;
    return std::find(e.begin(), e.end(), name) != e.end();
  }

  // Replaces every seal with `count` seals at `price`, numbers 100 onward.
  void OnlySeals(int count, int price) {
    for (titem& item : form->goods_table)
      if (item.kind == kKindSeal) item = titem{};
    for (int i = 0; i < count; ++i) {
      titem& seal = form->goods_table[100 + i];
      seal.name = "テストシール" + std::to_string(i);
      seal.picture = "seal01.bmp";
      seal.kind = kKindSeal;
      seal.price = price;
    }
  }

  int Draws(const ScriptedRandom& r, int n) const {
    return static_cast<int>(std::count(r.draws.begin(), r.draws.end(), n));
  }

  void OpenWith(int money, int level) {
    form->my.money = money;
    form->my.clerk_level = level;
    form->game.OpenShop();
  }
};

TEST_F(ShopTest, OpeningShowsTheShopAndItsGreeting) {
  FixedRandom zero(0);
  form->LoadCustomerPicture("girl.bmp");
  OpenWith(1000, 1);
  EXPECT_TRUE(form->item_box.visible);
  EXPECT_EQ(form->item_box.action_caption, "買う");
  EXPECT_EQ(form->item_box.detail, "明日の準備をしましょう");
  EXPECT_EQ(form->item_box.selected, -1);
  EXPECT_TRUE(form->item_box_cg.Empty());
  EXPECT_TRUE(form->shop_front_shown);
  EXPECT_EQ(form->picture_slots[1].Width(), 1);
}

TEST_F(ShopTest, NoMoneyNoOffer) {
  FixedRandom zero(0);
  OpenWith(0, 3);
  EXPECT_TRUE(form->item_box.entries.empty());
  // Nothing to select, so the greeting stays.
  form->ItemPanelKey(KeyCode::Down, true);
  form->ItemPanelMouseDown(230, 12);
  EXPECT_EQ(form->item_box.detail, "明日の準備をしましょう");
}

TEST_F(ShopTest, BagsAlwaysBoxesFromLevelOne) {
  {
    FixedRandom zero(0);
    OpenWith(5000, 0);
    for (const char* bag : {"ちっちゃな袋", "小さな袋", "大きめの袋", "特大の袋", "パン袋"})
      EXPECT_TRUE(Listed(bag)) << bag;
    for (const char* box : {"箱", "大きな箱", "手さげ袋"}) EXPECT_FALSE(Listed(box)) << box;
    // Bags first, in their order.
    EXPECT_EQ(form->item_box.entries[0], "ちっちゃな袋");
    EXPECT_EQ(form->item_box.entries[3], "特大の袋");
  }
  {
    FixedRandom zero(0);
    OpenWith(5000, 1);
    EXPECT_EQ(std::vector<std::string>(form->item_box.entries.begin(), form->item_box.entries.begin() + 8),
              (std::vector<std::string>{"ちっちゃな袋", "小さな袋", "大きめの袋", "特大の袋", "箱",
                                        "大きな箱", "手さげ袋", "パン袋"}));
  }
  {
    FixedRandom one(1);
    OpenWith(5000, 5);
    EXPECT_FALSE(Listed("箱"));
    EXPECT_FALSE(Listed("パン袋"));
    EXPECT_TRUE(Listed("特大の袋"));
  }
  // Only what the money covers: 12 yen buys the small bag (10) alone.
  FixedRandom zero(0);
  OpenWith(12, 0);
  EXPECT_EQ(form->item_box.entries, (std::vector<std::string>{"小さな袋"}));
}

TEST_F(ShopTest, SealPriceLimitsAreExclusive) {
  // Level 1 allows prices below 200; money 600 allows prices below 250.
  const std::pair<int, bool> cases[] = {{199, true}, {200, false}};
  for (auto [price, considered] : cases) {
    SCOPED_TRACE(price);
    OnlySeals(1, price);
    ScriptedRandom r;
    r.values = std::deque<int>(20, 0);
    r.Install();
    OpenWith(6000, 1);
    EXPECT_EQ(Listed("テストシール0"), considered);
  }
  for (auto [price, considered] : {std::pair{149, true}, std::pair{150, false}}) {
    SCOPED_TRACE(price);
    OnlySeals(1, price);
    FixedRandom zero(0);
    OpenWith(300, 9);  // 300 / 3 + 50 = 150
    EXPECT_EQ(Listed("テストシール0"), considered);
  }
}

TEST_F(ShopTest, SealsAtTheCapTakeTheSevenfoldDraw) {
  // Money 2000: cap 100. At the cap only Random(7) is asked; above it
  // Random(3) first.
  OnlySeals(1, 100);
  {
    ScriptedRandom r;
    r.Install();
    OpenWith(2000, 5);
    EXPECT_EQ(Draws(r, 3), 0);
    EXPECT_EQ(Draws(r, 7), 1);
  }
  OnlySeals(1, 101);
  {
    ScriptedRandom r;
    r.values = {1, 1, 1, 1, 1, 1};  // music, boxes, bread bag; then Random(3) = 1
    r.Install();
    OpenWith(2000, 5);
    EXPECT_EQ(Draws(r, 3), 1);
    EXPECT_EQ(Draws(r, 7), 1);
  }
  // Cap never exceeds 400: a 401-yen seal with money 100000 is above it.
  OnlySeals(1, 401);
  {
    ScriptedRandom r;
    r.Install();
    OpenWith(100000, 5);
    EXPECT_EQ(Draws(r, 3), 1);
  }
}

TEST_F(ShopTest, UnaffordableCandidatesUseUpTheElevenConsidered) {
  // Money 30: cap 1, limit 60. Seals at 40 pass but cannot be paid for.
  OnlySeals(20, 40);
  ScriptedRandom r;
  r.values = std::deque<int>(100, 0);
  r.Install();
  OpenWith(30, 0);
  EXPECT_EQ(Draws(r, 3), 11);
  for (int i = 0; i < 20; ++i) EXPECT_FALSE(Listed("テストシール" + std::to_string(i)));
}

TEST_F(ShopTest, BuyingWithExactlyThePriceLeavesNothing) {
  FixedRandom one(1);
  OpenWith(50, 0);
  form->item_box.entries = {"特大の袋"};
  form->item_box.selected = 0;
  form->ShowItemDetail();
  form->my.stock[203] = 1;
  bool sound = Plays(0, "buy.wav", [&] { form->BuySelected(); });
  EXPECT_TRUE(sound);
  EXPECT_EQ(form->my.money, 0);
  EXPECT_EQ(form->my.stock[203], 2);
  EXPECT_NE(form->item_box.detail.find("(所持: 2個)"), std::string::npos);
  // Again: too poor now; no.wav and nothing changes.
  EXPECT_TRUE(Plays(0, "no.wav", [&] { form->BuySelected(); }));
  EXPECT_EQ(form->my.stock[203], 2);
  EXPECT_EQ(form->my.money, 0);
  EXPECT_EQ(form->item_box.entries[0], "特大の袋");
}

TEST_F(ShopTest, PacksYieldTheirAmount) {
  FixedRandom one(1);
  form->goods_table[203].amount = 5;
  OpenWith(500, 0);
  form->item_box.entries = {"特大の袋"};
  form->item_box.selected = 0;
  form->ShowItemDetail();
  form->BuySelected();
  EXPECT_EQ(form->my.stock[203], 5);
}

TEST_F(ShopTest, NothingToBuyWithoutASelection) {
  FixedRandom one(1);
  OpenWith(500, 0);
  form->item_box.entries = {"", "小さな袋"};
  form->item_box.selected = -1;
  sounds.clear();
  form->BuySelected();
  EXPECT_TRUE(sounds.empty());
  form->item_box.selected = 0;
  form->current_goods = 201;
  sounds.clear();
  form->BuySelected();
  EXPECT_TRUE(sounds.empty());
  EXPECT_EQ(form->my.money, 500);
}

TEST_F(ShopTest, SealsSellOutByEitherRule) {
  // Rule 1: the fourth piece held, a coin toss.
  {
    form->my.stock[101] = 3;
    FixedRandom zero(0);
    OpenWith(40, 0);  // 35 yen: 5 left, 5 / 20 is not above 35
    form->item_box.entries = {"ハートのチール"};
    form->item_box.selected = 0;
    form->ShowItemDetail();
    form->BuySelected();
    EXPECT_EQ(form->my.stock[101], 4);
    EXPECT_EQ(form->item_box.entries[0], "");
  }
  // Rule 2: plenty of money left and two pieces held.
  {
    form->my.stock[101] = 1;
    ScriptedRandom r;
    r.Install();
    OpenWith(2000, 0);
    r.values = {0};
    r.draws.clear();
    form->item_box.entries = {"ハートのチール"};
    form->item_box.selected = 0;
    form->ShowItemDetail();
    form->BuySelected();
    EXPECT_EQ(form->my.stock[101], 2);
    EXPECT_EQ(form->item_box.entries[0], "");
    EXPECT_EQ(r.draws, (std::deque<int>{2}));  // rule 1 did not apply
  }
  // A lost toss keeps the entry, and buying again runs both rules again.
  {
    form->my.stock[101] = 3;
    ScriptedRandom r;
    r.Install();
    OpenWith(2000, 0);
    r.values = {1, 1, 1, 1};
    r.draws.clear();
    form->item_box.entries = {"ハートのチール"};
    form->item_box.selected = 0;
    form->ShowItemDetail();
    form->BuySelected();
    form->BuySelected();
    EXPECT_EQ(form->my.stock[101], 5);
    EXPECT_EQ(form->item_box.entries[0], "ハートのチール");
    EXPECT_EQ(r.draws, (std::deque<int>{2, 2, 2, 2}));
  }
  // Materials never sell out.
  form->my.stock[201] = 10;
  FixedRandom zero(0);
  OpenWith(5000, 0);
  form->item_box.entries = {"小さな袋"};
  form->item_box.selected = 0;
  form->ShowItemDetail();
  form->BuySelected();
  EXPECT_EQ(form->item_box.entries[0], "小さな袋");
}

TEST_F(ShopTest, ClosingSaysGoodNightAndOffersTheWayHome) {
  FixedRandom one(1);
  OpenWith(100, 0);
  form->CloseItemPanel();
  EXPECT_FALSE(form->item_box.visible);
  EXPECT_EQ(form->effects[form->effect_next].text, "『さーてと帰って寝よ・・・』");
  EXPECT_EQ(form->choice_text, (std::array<std::string, 3>{"", "", "帰って寝る"}));
  EXPECT_TRUE(form->choices_active);
}

}  // namespace
