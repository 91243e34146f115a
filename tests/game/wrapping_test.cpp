// Wrapping, folding, the seal step, the plain package and the refusal.
#include "tests/game/fixture.h"

namespace {

class WrappingTest : public ShopTest {
 protected:
  // The first article of a wrap class.
  int ArticleOfClass(int wrap_class) const {
    for (int g = 1; g < 100; ++g)
      if (!form->goods_table[g].name.empty() && form->goods_table[g].kind == kKindItem &&
          form->goods_table[g].wrap_class == wrap_class)
        return g;
    return 0;
  }
};

TEST_F(WrappingTest, WrappingUsesOnePieceOfTheClassMaterial) {
  const int goods = ArticleOfClass(1);
  ASSERT_NE(goods, 0);
  AtCounter(0, goods);
  form->my.stock[201] = 5;
  Run([&] { form->DispatchChoice("包む"); });
  EXPECT_EQ(form->my.stock[201], 4);
  EXPECT_EQ(Texts(), std::vector<std::string>{"包んだ(小さな袋 残: 4コ)"});
  EXPECT_EQ(Heard(), std::vector<std::string>{"2:white0.wav"});
  EXPECT_EQ(lines[0].kind, kKindMessage);
  EXPECT_EQ(waits, 0);
  EXPECT_EQ(Offered(), Choices("", "", "折る"));
  EXPECT_EQ(form->goods_card_state, 1);
}

TEST_F(WrappingTest, TheLastPieceCanBeUsedThenTheMaterialIsOut) {
  const int goods = ArticleOfClass(0);
  ASSERT_NE(goods, 0);
  AtCounter(0, goods);
  form->my.stock[200] = 1;
  Run([&] { form->DispatchChoice("包む"); });
  EXPECT_TRUE(Printed("包んだ(ちっちゃな袋 残: 0コ)"));

  Forget();
  AtCounter(0, goods);
  Run([&] { form->DispatchChoice("包む"); });
  EXPECT_EQ(form->my.stock[200], 0);
  EXPECT_EQ(Texts(), std::vector<std::string>{"ちっちゃな袋がもうありません"});
  EXPECT_EQ(Heard(), std::vector<std::string>{"0:no.wav"});
  EXPECT_EQ(lines[0].kind, kRed);
  EXPECT_EQ(Offered(), Choices("", "断る", "包む"));
}

TEST_F(WrappingTest, ABrokenWrapClassCanNeverBeWrapped) {
  const int goods = ArticleOfClass(1);
  form->goods_table[goods].wrap_class = 8;
  AtCounter(0, goods);
  form->my.stock.fill(5);
  Run([&] { form->DispatchChoice("包む"); });
  EXPECT_EQ(Texts(), std::vector<std::string>{"がもうありません"});
  EXPECT_EQ(form->my.stock[0], 5);
  EXPECT_EQ(Offered(), Choices("", "断る", "包む"));
}

TEST_F(WrappingTest, FoldingOffersTheSealOrAPlainPackage) {
  AtCounter(0, ArticleOfClass(2));
  const tmy before = form->my;
  Forget();
  Run([&] { form->DispatchChoice("折る"); });
  EXPECT_EQ(Heard(), std::vector<std::string>{"1:mis2.wav"});
  EXPECT_EQ(Texts(), std::vector<std::string>{"折った"});
  EXPECT_EQ(Offered(), Choices("", "はい終わり", "シール"));
  EXPECT_EQ(form->my.stock, before.stock);
  EXPECT_EQ(form->my.money, before.money);
}

TEST_F(WrappingTest, TheSealStepNeedsASealNotJustAnyGoods) {
  AtCounter(0, ArticleOfClass(1));
  form->my.stock.fill(0);
  form->my.stock[5] = 3;    // an article
  form->my.stock[201] = 3;  // a material
  Run([&] { form->DispatchChoice("シール"); });
  EXPECT_EQ(Texts(), std::vector<std::string>{"シールがもう１枚もありません"});
  EXPECT_TRUE(HeardSound("0:no.wav"));
  EXPECT_EQ(lines[0].kind, kRed);
  EXPECT_EQ(Offered(), Choices("", "はい終わり", "シール"));
  EXPECT_EQ(form->seal_box_state, 0);

  lines.clear();
  form->my.stock[150] = 1;
  Run([&] { form->DispatchChoice("シール"); });
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(form->seal_box_state, 1);
  EXPECT_EQ(form->seal_box_mode, 0);
}

// Each row of the plain package, for customer `who` with 20 % satisfaction.
struct PlainCase {
  int r;
  int second_draw;  // Random(rank + 2) of the first row
  std::vector<std::string> lines;
  int satisfaction_after;
  int money_after;
  std::vector<std::string> sounds;
};

TEST_F(WrappingTest, PlainPackageRowsFromHappyToAngry) {
  const int who = 3;
  const tman& customer = form->customer_table[who];
  const int rank = customer.rank;
  ASSERT_GE(rank, 1);
  const int price = form->goods_table[customer.wished_goods[0]].price;
  const std::string name = customer.name;
  const std::string up = "お客の満足度 " + std::to_string(1 + 10) + "UP";
  const std::vector<PlainCase> cases = {
      {0,
       1,
       {name + "は帰っていった....", up, "お金 " + std::to_string(price) + "円を入手"},
       31,
       100 + price,
       {"2:exp.wav", "0:coin.wav"}},
      {6,
       0,
       {name + "は帰っていった....", "お金 " + std::to_string(price) + "円を入手"},
       20,
       100 + price,
       {"0:coin.wav"}},
      {7,
       0,
       {name + "はむっつりして帰っていった....", "お金を半分しか払ってくれなかった..",
        "お金 " + std::to_string(price / 2 + 1) + "円を入手"},
       20,
       100 + price / 2 + 1,
       {"3:mu.wav", "0:coin.wav"}},
      {10,
       0,
       {"えーシールは！？", "お客の満足度 " + std::to_string(20 / 20 + rank) + "DOWN",
        name + "は不服そうに帰っていった....", "お金を払ってくれなかった...."},
       20 - (1 + rank),
       100,
       {"3:e.wav", "2:down.wav"}},
      {11,
       0,
       {"シール貼ってくれないの？シールが欲しかったのに！！",
        "お客の満足度 " + std::to_string(20 / 15 + 2 * rank) + "DOWN", name + "は怒りながら帰っていった....",
        "お金を払ってくれなかった...."},
       20 - (1 + 2 * rank),
       100,
       {"3:e.wav", "2:down.wav"}},
  };
  for (const PlainCase& c : cases) {
    SCOPED_TRACE(c.r);
    Forget();
    AtCounter(who, customer.wished_goods[0]);
    form->my.clerk_level = 0;
    form->my.satisfaction = 20;
    form->my.money = 100;
    form->my.hours_to_closing = 5;
    draws.Queue(12, {c.r});
    draws.Queue(rank + 2, {c.second_draw});
    Run([&] { form->DispatchChoice("はい終わり"); });
    EXPECT_EQ(Texts(), c.lines);
    EXPECT_EQ(Heard(), c.sounds);
    EXPECT_EQ(form->my.satisfaction, c.satisfaction_after);
    EXPECT_EQ(form->my.money, c.money_after);
    EXPECT_EQ(form->my.hours_to_closing, 4);
    EXPECT_EQ(Offered(), Choices("", "", "次"));
    if (c.r == 10) {
      EXPECT_EQ(KindOf("えーシールは！？"), kPink2);
    }
    if (c.r == 0) {
      EXPECT_EQ(KindOf(name + "は帰っていった...."), kKindMessage);
    }
  }
}

TEST_F(WrappingTest, RefusedCustomerLeavesCryingWithoutPaying) {
  const int who = 3;
  const tman& customer = form->customer_table[who];
  const int rank = customer.rank;
  ASSERT_GE(rank, 1);
  AtCounter(who, customer.wished_goods[0]);
  form->my.satisfaction = 45;
  form->my.money = 70;
  form->my.hours_to_closing = 3;
  draws.Queue(3, {2});
  draws.Queue(rank + 2, {1});
  Run([&] { form->DispatchChoice("断る"); });
  const int loss = rank + 1 + 45 / 20;
  EXPECT_EQ(Texts(), (std::vector<std::string>{"『いやだよ』", customer.name + "は泣きながらどこかへ行った",
                                               "お客の満足度 " + std::to_string(loss) + "DOWN"}));
  EXPECT_EQ(form->my.satisfaction, 45 - loss);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"0:naki3.wav", "2:down.wav"}));
  EXPECT_EQ(form->my.money, 70);
  EXPECT_EQ(form->my.hours_to_closing, 2);
  EXPECT_EQ(form->goods_card_state, 2);
  EXPECT_EQ(Offered(), Choices("", "", "次"));
}

TEST_F(WrappingTest, EveryWrapClassIsWrappedAndFoldedWithItsOwnMaterial) {
  auto same_picture = [&](const std::string& file) {
    Bitmap want;
    if (!want.LoadFromFile(form->CgPath(file))) return false;
    const Bitmap& have = form->picture_slots[kPackageSlot];
    if (have.Width() != want.Width() || have.Height() != want.Height()) return false;
    for (int y = 0; y < want.Height(); y += 3)
      for (int x = 0; x < want.Width(); x += 3)
        if (have.Pixel(x, y) != want.Pixel(x, y)) return false;
    return true;
  };
  for (int wrap_class = 0; wrap_class < 8; ++wrap_class) {
    SCOPED_TRACE(wrap_class);
    const WrapStyle* style = WrapStyleFor(wrap_class);
    ASSERT_NE(style, nullptr);
    const int goods = ArticleOfClass(wrap_class);
    ASSERT_NE(goods, 0);
    AtCounter(0, goods);
    form->my.stock.fill(0);
    form->my.stock[kFirstMaterial + wrap_class] = 2;
    Forget();
    Run([&] { form->DispatchChoice("包む"); });
    EXPECT_EQ(form->my.stock[kFirstMaterial + wrap_class], 1);
    EXPECT_EQ(Heard(), std::vector<std::string>{std::string("2:") + style->wrap_sound});
    EXPECT_TRUE(same_picture(style->wrapped_picture));
    EXPECT_EQ(Offered(), Choices("", "", "折る"));
    Forget();
    Run([&] { form->DispatchChoice("折る"); });
    EXPECT_EQ(Heard(), std::vector<std::string>{std::string("1:") + style->fold_sound});
    EXPECT_TRUE(same_picture(style->folded_picture));
    EXPECT_EQ(form->goods_card_state, 1);
  }
  EXPECT_EQ(WrapStyleFor(8), nullptr);
  EXPECT_EQ(WrapStyleFor(-1), nullptr);
}

}  // namespace
