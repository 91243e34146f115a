// The shop day's rules on a recording stage: payments, the review, the
// night, seal reactions, plain packages, refusals, wrapping, arrivals and the
// title menu's steps.
#include "content/words.h"
#include "tests/game/fake_stage.h"

namespace {

using Lines = std::vector<std::string>;

TEST_F(DayTest, PaymentTable) {
  struct Row {
    Payment payment;
    int price, gained;
    Lines lines;
  };
  const Row rows[] = {
      {Payment::DoubleTip,
       15,
       30,
       {"[yellow2]チップを大量に代金に加算してくれた", "[yellow2]お金 30円を入手"}},
      {Payment::Tip, 15, 22, {"[yellow2]チップを代金に加算してくれた", "[yellow2]お金 22円を入手"}},
      {Payment::InFull, 15, 15, {"[yellow2]お金 15円を入手"}},
      {Payment::Half, 15, 8, {"[red]お金を半分しか払ってくれなかった..", "[yellow2]お金 8円を入手"}},
      {Payment::Nothing, 15, 0, {"[red]お金を払ってくれなかった...."}},
      {Payment::Gone, 15, 0, {}},
      {Payment::Tip, 1, 1, {"[yellow2]チップを代金に加算してくれた", "[yellow2]お金 1円を入手"}},
      {Payment::Half, 1, 1, {"[red]お金を半分しか払ってくれなかった..", "[yellow2]お金 1円を入手"}},
      {Payment::DoubleTip, 1, 2, {"[yellow2]チップを大量に代金に加算してくれた", "[yellow2]お金 2円を入手"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.payment));
    stage = FakeStage{};
    AtCounter(0, 1);
    day.goods_table[1].price = row.price;
    my.money = 1000;
    my.hours_to_closing = 5;
    day.SettlePayment(row.payment);
    EXPECT_EQ(my.money, 1000 + row.gained);
    EXPECT_EQ(stage.lines, row.lines);
    // Only the money lines wait; the coin rings with the money.
    EXPECT_EQ(stage.Count("click"), row.payment == Payment::Gone ? 0 : 1);
    EXPECT_EQ(stage.Has("sound:0:coin.wav"), row.gained > 0);
    EXPECT_EQ(my.hours_to_closing, 4);
    const Lines tail(stage.log.end() - 3, stage.log.end());
    EXPECT_EQ(tail, (Lines{"front", "cleared", "offer:||次"}));
  }
}

TEST_F(DayTest, TheLastHourBringsTheManagerWithALaughOneEveningInTen) {
  for (int laugh : {0, 1}) {
    stage = FakeStage{};
    AtCounter(0, 1);
    my.hours_to_closing = 1;
    my.satisfaction = 50;
    draws.Queue(10, {laugh});
    day.SettlePayment(Payment::Gone);
    const Lines start(stage.log.begin(), stage.log.begin() + 7);
    EXPECT_EQ(start,
              (Lines{"front", "cleared", "『あ、時間だ、今日はもう終わりだ・・・』", "click", "scene:ten.bmp",
                     laugh == 0 ? "sound:1:aha.wav" : "sound:0:fun.wav", "[pink]天長が現れた!!"}));
    EXPECT_EQ(stage.log[8], "[blue]うむっ、今日のお客さんの満足度は 50％じゃ。");
    EXPECT_FALSE(stage.Has("offer:||次"));
  }
}

class ReviewTest : public DayTest {
 protected:
  void Review(int satisfaction, int money, int level) {
    stage = FakeStage{};
    my.satisfaction = satisfaction;
    my.money = money;
    my.clerk_level = level;
    my.progress_flags[kStoryTold1] = my.progress_flags[kStoryTold1 + 1] = my.progress_flags[kStoryTold1 + 2] =
        1;
    day.DayEndReview();
  }
};

TEST_F(ReviewTest, VerdictTable) {
  struct Row {
    int s, money_after, level_after;
    const char* money_line;  // "" none
  };
  // From 100 yen at level 8, which needs 90 % to rise.
  const Row rows[] = {
      {21, 74, 8, "[red]お金が 26円減った"},
      {30, 74, 8, "[red]お金が 26円減った"},
      {31, 100, 8, ""},
      {69, 100, 8, ""},
      {70, 126, 8, "[yellow2]お金 26円を入手"},
      {80, 126, 8, "[yellow2]お金 26円を入手"},
      {81, 134, 8, "[yellow2]お金 34円を入手"},
      {89, 134, 8, "[yellow2]お金 34円を入手"},
      {90, 134, 9, "[yellow2]お金 34円を入手"},
      {91, 151, 9, "[yellow2]お金 51円を入手"},
      {99, 151, 9, "[yellow2]お金 51円を入手"},
      {100, 200, 9, "[yellow2]お金 100円を入手"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.s);
    my.stock[kSealManager] = 0;
    Review(row.s, 100, 8);
    EXPECT_EQ(stage.lines[0], "[blue]うむっ、今日のお客さんの満足度は " + std::to_string(row.s) + "％じゃ。");
    EXPECT_EQ(my.money, row.money_after);
    EXPECT_EQ(my.clerk_level, row.level_after);
    EXPECT_EQ(stage.Starting("[red]お金が").size() + stage.Starting("[yellow2]お金").size(),
              *row.money_line ? 1u : 0u);
    if (*row.money_line) EXPECT_TRUE(stage.Has(row.money_line));
    // Only a perfect day earns the manager's seal.
    EXPECT_EQ(my.stock[kSealManager], row.s == 100 ? 1 : 0);
    EXPECT_EQ(stage.Count("sound:0:fun.wav"), *row.money_line ? 2 : 1);  // the verdict, the parting
    EXPECT_TRUE(stage.Starting("shop:").size() == 1);
  }
}

TEST_F(ReviewTest, PromotionTable) {
  struct Row {
    int level, s;
    bool promoted;
  };
  const Row rows[] = {{0, 49, false}, {0, 50, true},  {2, 59, false}, {2, 60, true},
                      {7, 85, true},  {8, 89, false}, {9, 94, false}, {9, 95, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.level * 1000 + row.s);
    my.best_level = 5;
    Review(row.s, 100, row.level);
    const int now = row.level + (row.promoted ? 1 : 0);
    EXPECT_EQ(my.clerk_level, now);
    EXPECT_EQ(stage.Has("sound:3:lvup.wav"), row.promoted);
    EXPECT_EQ(stage.Has("[yellow]レベルアップ!! → " + std::to_string(now)), row.promoted);
    EXPECT_EQ(my.best_level, row.promoted ? std::max(5, now) : 5);  // raised by promotions only
  }
}

TEST_F(ReviewTest, LevelTenClearsTheGameAndClosesTheShop) {
  Review(100, 10, 9);
  EXPECT_EQ(my.clerk_level, 10);
  EXPECT_EQ(my.progress_flags[kGameCleared], 1);
  const Lines tail(stage.log.end() - 6, stage.log.end());
  EXPECT_EQ(tail, (Lines{"scene:clear.bmp", "[red]～～～～クリア～～～～", "click", "[red]お・し・ま・い",
                         "click", "close"}));
  EXPECT_TRUE(stage.Has("sound:0:aha.wav"));
  EXPECT_TRUE(stage.Starting("shop:").empty());
}

TEST_F(ReviewTest, TwentyPercentGetsTheClerkFiredAndANewGameWaits) {
  my.play_count = 4;
  my.hours_to_closing = 0;
  Review(21, 100, 3);
  EXPECT_FALSE(stage.Has("title"));
  Review(20, 100, 3);
  EXPECT_TRUE(stage.Has(std::string("[blue]") + words::kManagerDismissal));
  const int at = stage.Index("[red]ゲームオーバー");
  ASSERT_GT(at, 0);
  EXPECT_EQ(stage.log[at - 3], "sound:3:gameover.wav");
  const Lines tail(stage.log.begin() + at + 2, stage.log.end());
  EXPECT_EQ(tail, (Lines{"log cleared", "save", "title", "sound:3:start2.wav", "scene:login.bmp",
                         "offer:Collection|About|Start"}));
  EXPECT_EQ(my.clerk_level, 0);
  EXPECT_EQ(my.money, 0);
  EXPECT_EQ(my.hours_to_closing, 8);
  EXPECT_EQ(my.play_count, 4);
}

TEST_F(ReviewTest, StoriesAreToldOnceInALifeFromTheirLevel) {
  // Level 3 draws nothing for them.
  stage = FakeStage{};
  my.satisfaction = 40;
  my.clerk_level = 3;
  day.DayEndReview();
  EXPECT_EQ(std::count(draws.asked.begin(), draws.asked.end(), 10), 0);
  // Level 4 hears the first; level 6 the other two on one evening; then
  // none is told again.
  for (auto [level, told] : {std::pair{4, 1}, {6, 2}, {6, 0}}) {
    stage = FakeStage{};
    draws.Queue(10, {0, 0, 0});
    my.satisfaction = 40;
    my.clerk_level = level;
    day.DayEndReview();
    EXPECT_EQ(stage.Count("sound:1:aa.wav"), told) << level;
    draws.queued.clear();
  }
  EXPECT_LT(stage.Index(std::string("[blue]") + words::kManagerStory2[1]), 0);
  EXPECT_EQ(stage.Count(std::string("[blue]") + words::kManagerParting[0]), 1);
  EXPECT_EQ(my.progress_flags[kStoryTold1], 1);
  EXPECT_EQ(my.progress_flags[kStoryTold1 + 1], 1);
  EXPECT_EQ(my.progress_flags[kStoryTold1 + 2], 1);
  // Only the full reset brings them back.
  day.FullReset();
  EXPECT_EQ(my.progress_flags[kStoryTold1], 0);
}

// The night's draws: moon, thief (both of 15), chick (13), hen (12), egg (10)
// and golden egg (5).
TEST_F(DayTest, NightTable) {
  struct Row {
    int level;
    std::vector<std::pair<int, int>> draws;  // (n, value) in order
    Lines shown;                             // scenes and sounds, in order
    int gained;                              // the goods that came, 0 none
  };
  const Row rows[] = {
      {0,
       {{15, 1}, {15, 1}, {13, 1}, {12, 1}, {10, 1}},
       {"scene:night.bmp", "sound:3:koke.wav", "scene:asa.bmp"},
       0},
      {0, {{15, 0}, {15, 1}, {13, 0}, {12, 0}, {10, 0}}, {"scene:night2.bmp", "scene:asa.bmp"}, kSealMoon},
      {0, {{15, 1}, {15, 1}, {13, 0}, {12, 0}, {10, 0}}, {"scene:asa3.bmp", "sound:0:hit.wav"}, 135},
      {0, {{15, 1}, {15, 1}, {13, 1}, {12, 0}, {10, 0}}, {"scene:asa.bmp"}, kSealHen},
      {0,
       {{15, 1}, {15, 1}, {13, 1}, {12, 1}, {10, 0}, {5, 1}},
       {"sound:0:takara.wav", "scene:asa2.bmp"},
       134},
      {0, {{15, 1}, {15, 1}, {13, 1}, {12, 1}, {10, 0}, {5, 0}}, {"scene:asa2a.bmp"}, 150},
      // No thief below level 2, even when drawn.
      {1, {{15, 1}, {15, 0}, {13, 1}, {12, 1}, {10, 1}}, {"scene:night.bmp", "scene:asa.bmp"}, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(&row - rows);
    stage = FakeStage{};
    my = tmy{};
    my.clerk_level = row.level;
    my.day = 3;
    my.best_days = 9;
    my.satisfaction = 60;
    for (auto [n, v] : row.draws) draws.Queue(n, {v});
    day.NightAndMorning();
    EXPECT_TRUE(draws.AllUsed());
    EXPECT_EQ(stage.log[0], "silence");
    EXPECT_EQ(stage.log[1], "sound:2:night.wav");
    size_t at = 0;
    for (const std::string& entry : row.shown) {
      auto it = std::find(stage.log.begin() + at, stage.log.end(), entry);
      EXPECT_NE(it, stage.log.end()) << entry;
      at = it - stage.log.begin();
    }
    EXPECT_FALSE(stage.Has("sound:3:dorobou.wav"));
    for (int g : {kSealMoon, 135, kSealHen, 134, 150}) EXPECT_EQ(my.stock[g], g == row.gained ? 1 : 0) << g;
    const Lines tail(stage.log.end() - 6, stage.log.end());
    EXPECT_EQ(tail, (Lines{"front", "sound:1:oha.wav", "おはようございますー", "click", "よーし仕事だぜ",
                           "offer:||次"}));
    EXPECT_EQ(my.day, 4);
    EXPECT_EQ(my.best_days, 9);
    EXPECT_EQ(my.hours_to_closing, row.level + 8);
    EXPECT_EQ(my.satisfaction, 0);
  }
  my.day = my.best_days = 9;
  day.NightAndMorning();
  EXPECT_EQ(my.best_days, 10);
}

TEST_F(DayTest, TheThiefTakesSealsOneDrawPerHeldSealOrElseHalfTheMoney) {
  for (bool finds : {true, false}) {
    stage = FakeStage{};
    my = tmy{};
    my.clerk_level = 2;
    my.money = 101;
    my.stock[101] = 2;
    my.stock[103] = 1;
    my.stock[1] = 5;  // an article is no seal
    draws.Queue(15, {1, 0});
    draws.Queue(5, {finds ? 0 : 1, 1});
    day.NightAndMorning();
    EXPECT_TRUE(stage.Has("sound:3:dorobou.wav"));
    EXPECT_TRUE(stage.Has("[red]泥棒が侵入した!!"));
    EXPECT_EQ(std::count(draws.asked.begin(), draws.asked.end(), 5), 2);
    draws.asked.clear();
    if (finds) {
      EXPECT_TRUE(stage.Has("[red]【" + day.goods_table[101].name + "】が 1枚盗まれた!!(残: 1枚)"));
      EXPECT_EQ(my.stock[101], 1);
      EXPECT_EQ(my.money, 101);
    } else {
      EXPECT_TRUE(stage.Has("[red]お金 50円が盗まれてしまった!!"));
      EXPECT_EQ(my.money, 51);
    }
    EXPECT_EQ(my.stock[103], 1);
    EXPECT_EQ(my.stock[1], 5);
  }
}

TEST_F(DayTest, SatisfactionTable) {
  struct Row {
    int level, amount, change;
    const char* line;
  };
  const Row rows[] = {
      {0, 5, 15, "[yellow]お客の満足度 15UP"}, {4, 5, 10, "[yellow]お客の満足度 10UP"},
      {7, 1, 2, "[yellow]お客の満足度 2UP"},   {8, 3, 3, "[yellow]お客の満足度 3UP"},
      {0, -4, -4, "[red]お客の満足度 4DOWN"},  {0, 0, 0, ""},
  };
  for (const Row& row : rows) {
    stage = FakeStage{};
    my.clerk_level = row.level;
    my.satisfaction = 50;
    day.ChangeSatisfaction(row.amount);
    EXPECT_EQ(my.satisfaction, 50 + row.change);
    EXPECT_EQ(stage.lines, *row.line ? Lines{row.line} : Lines{});
    if (*row.line) EXPECT_EQ(stage.log[0], row.change > 0 ? "sound:2:exp.wav" : "sound:2:down.wav");
  }
}

class SealTest : public DayTest {
 protected:
  // Customer `who` (at level 0, 20 % so far) gets `seal` stuck at (x, y)
  // on a 40 x 40 package; the reaction runs to the payment.
  void Stick(int who, int seal, int x = 195, int y = 170) {
    stage = FakeStage{};
    AtCounter(who, day.customer_table[who].wished_goods[0]);
    day.goods_table[day.current_goods].price = 100;
    my.satisfaction = 20;
    my.money = 0;
    my.hours_to_closing = 5;
    my.stock[seal] = 1;
    day.StickSeal(seal, x, y, 40, 40);
    EXPECT_EQ(my.stock[seal], 0);
    EXPECT_EQ(my.seal_collected[seal], 1);
  }
  bool SaidFarewell(int who) const {
    return stage.Has("[pink2]" + day.customer_table[who].farewell_lines[0]);
  }
};

TEST_F(SealTest, ReactionTable) {
  // Customer 0: favourite 135, likes 110, dislikes 127; 100 means nothing to
  // her; 129 and 133 everybody likes.
  struct Row {
    int seal;
    std::vector<std::pair<int, int>> draws;
    const char* sound;  // "" none
    int hearts, satisfaction, money;
    bool farewell;
  };
  const Row rows[] = {
      {135, {{12, 3}, {2, 0}}, "sound:3:great.wav", 5, 33, 150, true},
      {135, {{12, 3}, {2, 1}}, "sound:3:great.wav", 5, 33, 200, true},
      {110, {{11, 2}, {2, 0}}, "sound:3:up2.wav", 1, 32, 150, true},
      {129, {{11, 2}, {2, 1}}, "sound:3:up2.wav", 1, 32, 100, true},
      {kSealHen, {{11, 2}, {2, 1}}, "sound:3:up2.wav", 1, 32, 100, true},
      {127, {{11, 4}, {4, 0}}, "sound:3:oe.wav", 0, 18, 0, false},
      {127, {{11, 4}, {4, 1}}, "sound:3:oe.wav", 0, 18, 51, false},
      {127, {{11, 4}, {4, 2}}, "sound:3:oe.wav", 0, 18, 51, false},
      {127, {{11, 4}, {4, 3}}, "sound:3:oe.wav", 0, 18, 100, false},
      {100, {{12, 5}}, "", 0, 31, 100, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(&row - rows);
    for (auto [n, v] : row.draws) draws.Queue(n, {v});
    Stick(0, row.seal);
    EXPECT_TRUE(draws.AllUsed());
    EXPECT_EQ(*row.sound != 0, stage.Has(row.sound));
    EXPECT_EQ(stage.Starting("hearts:").size(), static_cast<size_t>(row.hearts));
    EXPECT_EQ(my.satisfaction, row.satisfaction);
    EXPECT_EQ(my.money, row.money);
    EXPECT_EQ(SaidFarewell(0), row.farewell);
  }
  // The reaction line is drawn from its tier's list.
  draws.Queue(12, {3});
  Stick(0, 135);
  EXPECT_EQ(stage.lines[0], std::string("[pink2]") + words::kGreatReactions[3]);
  EXPECT_EQ(stage.Starting("hearts:"), (Lines{"hearts:195,170", "hearts:145,170", "hearts:245,170",
                                              "hearts:195,120", "hearts:195,220"}));
  // 129 is the favourite of customer 1: great, not just liked.
  Stick(1, 129);
  EXPECT_TRUE(stage.Has("sound:3:great.wav"));
}

TEST_F(SealTest, ASealBesideThePackageIsMisplacedButPaidAndCollected) {
  // The 50 x 50 square around the drop must overlap the package, edges apart.
  for (auto [x, y, on] : {std::tuple{240, 170, false},
                          {239, 170, true},
                          {150, 170, false},
                          {151, 170, true},
                          {195, 215, false},
                          {195, 214, true},
                          {195, 125, false},
                          {195, 126, true}}) {
    SCOPED_TRACE(x * 1000 + y);
    Stick(0, 100, x, y);
    EXPECT_EQ(stage.Has("sound:3:choto.wav"), !on);
    if (!on) {
      EXPECT_EQ(stage.lines, (Lines{"[pink2]ちょっと、ちゃんと貼ってよ!!", "[red]お客の満足度 2DOWN",
                                    "[yellow2]お金 100円を入手"}));
    }
  }
}

TEST_F(SealTest, AGiftForALikedSealIsDataOnTheCustomersRow) {
  const int prince = CustomerNamed("某国の王子");
  ASSERT_GE(prince, 0);
  const tman& row = day.customer_table[prince];
  ASSERT_EQ(row.thanks_gifts, 4);
  draws.Queue(4, {2});
  Stick(prince, 107);  // liked, not the favourite
  const int gift = row.first_thanks_gift + 2;
  EXPECT_EQ(my.stock[gift], 1);
  const int thanks = stage.Index("[pink2]" + row.thanks_line);
  ASSERT_GT(thanks, 0);
  EXPECT_LT(stage.Index("[yellow]お客の満足度 22UP"), thanks);
  EXPECT_LT(thanks, stage.Index("[pink2]" + row.farewell_lines[0]));
  // No gift for the favourite, and none from a customer without one.
  Stick(prince, row.liked_seals[0]);
  EXPECT_FALSE(stage.Has("[pink2]" + row.thanks_line));
  Stick(0, 110);
  EXPECT_EQ(stage.Starting("[green]").size(), 0u);
}

TEST_F(SealTest, NothingHappensForGoodsThatAreNotThere) {
  for (int goods : {-1, 130, 1000}) {
    stage = FakeStage{};
    day.StickSeal(goods, 195, 170, 40, 40);
    EXPECT_TRUE(stage.log.empty());
  }
  // A seal no longer in stock is judged but not used up below zero.
  my.stock[100] = 0;
  day.StickSeal(100, 195, 170, 40, 40);
  EXPECT_EQ(my.stock[100], 0);
  EXPECT_EQ(my.seal_collected[100], 1);
}

// The plain package by the draw of 12, for customer 3 (rank 2) at 20 %.
TEST_F(DayTest, PlainPackageTable) {
  struct Row {
    int draw;
    const char* sound;
    Lines lines;
    int satisfaction, money;
  };
  const std::string name = day.customer_table[3].name;
  const Row rows[] = {
      {0,
       "",
       {name + "は帰っていった....", "[yellow]お客の満足度 11UP", "[yellow2]お金 100円を入手"},
       31,
       100},
      {6,
       "",
       {name + "は帰っていった....", "[yellow]お客の満足度 11UP", "[yellow2]お金 100円を入手"},
       31,
       100},
      {7,
       "sound:3:mu.wav",
       {name + "はむっつりして帰っていった....", "[red]お金を半分しか払ってくれなかった..",
        "[yellow2]お金 51円を入手"},
       20,
       51},
      {10,
       "sound:3:e.wav",
       {"[pink2]えーシールは！？", "[red]お客の満足度 3DOWN", name + "は不服そうに帰っていった....",
        "[red]お金を払ってくれなかった...."},
       17,
       0},
      {11,
       "sound:3:e.wav",
       {"[pink2]シール貼ってくれないの？シールが欲しかったのに！！", "[red]お客の満足度 5DOWN",
        name + "は怒りながら帰っていった....", "[red]お金を払ってくれなかった...."},
       15,
       0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.draw);
    stage = FakeStage{};
    AtCounter(3, 1);
    day.goods_table[1].price = 100;
    my.satisfaction = 20;
    my.money = 0;
    my.hours_to_closing = 5;
    draws.Queue(12, {row.draw});
    draws.Queue(4, {1});  // the happy customer's satisfaction: Random(rank + 2)
    day.FinishWithoutSeal();
    draws.queued.clear();
    EXPECT_EQ(stage.lines, row.lines);
    if (*row.sound) EXPECT_TRUE(stage.Has(row.sound));
    EXPECT_EQ(my.satisfaction, row.satisfaction);
    EXPECT_EQ(my.money, row.money);
  }
}

TEST_F(DayTest, ARefusedCustomerLeavesCryingWithoutPaying) {
  AtCounter(3, 1);  // rank 2
  my.satisfaction = 40;
  my.money = 7;
  my.hours_to_closing = 5;
  draws.Queue(3, {1});
  draws.Queue(4, {3});
  day.RefuseCustomer();
  const std::string name = day.customer_table[3].name;
  const Lines start(stage.log.begin(), stage.log.begin() + 10);
  EXPECT_EQ(start, (Lines{"『いやだよ』", "click", "customer:not.bmp", "package:not.bmp", "cleared",
                          "sound:0:naki2.wav", name + "は泣きながらどこかへ行った", "click",
                          "sound:2:down.wav", "[red]お客の満足度 7DOWN"}));
  EXPECT_EQ(my.satisfaction, 33);
  EXPECT_EQ(my.money, 7);
  EXPECT_EQ(stage.log.back(), "offer:||次");
}

TEST_F(DayTest, EveryWrapClassUsesItsMaterialAndShowsItsPictures) {
  for (int wrap = 0; wrap < 8; ++wrap) {
    SCOPED_TRACE(wrap);
    int article = 1;
    while (article < kFirstMaterial && day.goods_table[article].wrap_class != wrap) ++article;
    ASSERT_LT(article, kFirstMaterial);
    const WrapStyle& style = *WrapStyleFor(wrap);
    const std::string material = day.goods_table[kFirstMaterial + wrap].name;
    AtCounter(0, article);
    my.stock[kFirstMaterial + wrap] = 1;
    stage = FakeStage{};
    day.Choose(Command::Wrap);
    day.Choose(Command::Fold);
    EXPECT_EQ(stage.log,
              (Lines{std::string("package:") + style.wrapped_picture,
                     std::string("sound:2:") + style.wrap_sound, "包んだ(" + material + " 残: 0コ)",
                     "offer:||折る", std::string("package:") + style.folded_picture,
                     std::string("sound:1:") + style.fold_sound, "折った", "offer:|はい終わり|シール"}));
    // The last piece is gone: the next wrap fails and may be tried again.
    stage = FakeStage{};
    day.Choose(Command::Wrap);
    EXPECT_EQ(stage.log,
              (Lines{"sound:0:no.wav", "[red]" + material + "がもうありません", "offer:|断る|包む"}));
    EXPECT_EQ(my.stock[kFirstMaterial + wrap], 0);
  }
  // A broken wrap class can never be wrapped.
  day.goods_table[1].wrap_class = 9;
  AtCounter(0, 1);
  stage = FakeStage{};
  day.Choose(Command::Wrap);
  EXPECT_EQ(stage.lines, (Lines{"[red]がもうありません"}));
}

TEST_F(DayTest, TheSealStepOpensThePickerWithEveryPieceHeld) {
  my.stock[1] = 3;  // goods, but no seal
  day.Choose(Command::Seal);
  EXPECT_EQ(stage.log,
            (Lines{"sound:0:no.wav", "[red]シールがもう１枚もありません", "offer:|はい終わり|シール"}));
  stage = FakeStage{};
  my.stock[103] = 1;
  my.stock[101] = 2;
  day.Choose(Command::Seal);
  EXPECT_EQ(stage.log, (Lines{"picker:101,101,103"}));
}

TEST_F(DayTest, OnlyCustomersTheLevelAllowsComeInWithADrawableWish) {
  // Customer 5 (rank 2) and the empty slot 30 are drawn and turned back at
  // level 0; customer 1 has no wish left and is turned back too.
  day.customer_table[1].wished_goods.fill(0);
  draws.Queue(99, {5, 30, 1, 0});
  draws.Queue(9, {7, 8, 2});  // empty wishes are drawn again
  day.ChooseNextCustomer();
  EXPECT_TRUE(draws.AllUsed());
  EXPECT_EQ(day.current_customer, 0);
  const tman& c = day.customer_table[0];
  EXPECT_EQ(day.current_goods, c.wished_goods[2]);
  EXPECT_EQ(stage.log, (Lines{"[pink]" + c.name + "が現れた!!", "", "customer:" + c.picture,
                              "[pink2]" + c.request_lines[0], "click", "[pink2]" + c.request_lines[1],
                              "click", "goods:" + std::to_string(c.wished_goods[2]), "offer:|断る|包む"}));
  // At level 2 customer 5 comes.
  my.clerk_level = 2;
  draws.Queue(99, {5});
  day.ChooseNextCustomer();
  EXPECT_EQ(day.current_customer, 5);
}

TEST_F(DayTest, TitleMenuSteps) {
  day.Choose(Command::About);
  EXPECT_EQ(stage.log.front(), "scene:title2.bmp");
  EXPECT_EQ(stage.Count("click"), 3);
  EXPECT_EQ(stage.log.back(), "offer:|About|Start");
  stage = FakeStage{};
  my.play_count = 1;
  day.Choose(Command::About);
  EXPECT_EQ(stage.log.back(), "offer:Collection|About|Start");

  stage = FakeStage{};
  day.Choose(Command::Letter);
  EXPECT_EQ(my.progress_flags[kLetterRead], 1);
  EXPECT_EQ(stage.log,
            (Lines{"sound:0:paper.wav", "scene:letter.bmp", "click",
                   "[pink]以上が、あなた様に届いた、シール王からのお便りです", "click", "[pink]おめでとう!!",
                   "click", "scene:login.bmp", "offer:Collection|About|Start"}));

  stage = FakeStage{};
  my.seal_collected[101] = my.seal_collected[120] = my.seal_collected[5] = 1;  // 5 is an article
  day.Choose(Command::Collection);
  EXPECT_EQ(stage.log, (Lines{"music:col.mid", "collection:101,120"}));

  stage = FakeStage{};
  day.Choose(Command::Start);
  EXPECT_EQ(my.play_count, 2);
  const Lines start(stage.log.begin(), stage.log.begin() + 5);
  EXPECT_EQ(start, (Lines{"playing", "sound:0:start3.wav", "front", "次のお客様どうぞー", "click"}));
  EXPECT_EQ(stage.log.back(), "offer:|断る|包む");

  stage = FakeStage{};
  day.Choose(Command::None);
  EXPECT_TRUE(stage.log.empty());
}

TEST_F(DayTest, TitleChoiceOneFollowsTheProgress) {
  EXPECT_EQ(day.TitleChoiceOne(), Command::None);
  my.play_count = 1;
  EXPECT_EQ(day.TitleChoiceOne(), Command::Collection);
  for (int g = 0; g < kGoodsCount; ++g) my.seal_collected[g] = day.goods_table[g].kind == kKindSeal;
  my.play_count = 0;
  EXPECT_EQ(day.TitleChoiceOne(), Command::Letter);  // even on a first launch
  my.seal_collected[kSealHen] = 0;
  EXPECT_EQ(day.TitleChoiceOne(), Command::None);
  my.play_count = 3;
  my.seal_collected[kSealHen] = 1;
  my.progress_flags[kLetterRead] = 1;
  EXPECT_EQ(day.TitleChoiceOne(), Command::Collection);
}

TEST_F(DayTest, ANewGameDrawsTheStartingStockInOrderAndKeepsTheLastingProgress) {
  my.play_count = 3;
  my.best_level = 4;
  my.seal_collected[101] = 1;
  my.progress_flags[kLetterRead] = 1;
  my.clerk_level = 5;
  my.money = 999;
  my.day = 7;
  my.stock[1] = 9;
  draws.Queue(5, {0, 1, 2, 3, 4, 0});
  draws.Queue(3, {2, 0, 1});
  draws.Queue(2, {1, 0});
  day.NewGame();
  EXPECT_TRUE(draws.AllUsed());
  EXPECT_EQ(draws.asked, (std::vector<int>{5, 5, 5, 5, 5, 5, 3, 2, 3, 3, 2}));
  EXPECT_EQ(stage.log, (Lines{"log cleared", "save"}));
  const std::pair<int, int> stock[] = {{100, 0}, {101, 1}, {102, 2}, {103, 3}, {104, 4}, {105, 0},
                                       {200, 3}, {201, 6}, {202, 1}, {203, 2}, {207, 1}, {1, 0}};
  for (auto [g, n] : stock) EXPECT_EQ(my.stock[g], n) << g;
  EXPECT_EQ(my.clerk_level, 0);
  EXPECT_EQ(my.money, 0);
  EXPECT_EQ(my.day, 0);
  EXPECT_EQ(my.hours_to_closing, 8);
  EXPECT_EQ(my.play_count, 3);
  EXPECT_EQ(my.best_level, 4);
  EXPECT_EQ(my.seal_collected[101], 1);
  day.FullReset();
  EXPECT_EQ(my.play_count, 0);
  EXPECT_EQ(my.best_level, 0);
  EXPECT_EQ(my.seal_collected[101], 0);
  EXPECT_EQ(my.progress_flags[kLetterRead], 0);
}

TEST_F(DayTest, TheEveningShopOpensToOneOfTwoPiecesAndClosesTowardsBed) {
  for (int draw : {0, 1}) {
    stage = FakeStage{};
    draws.Queue(5, {draw});
    day.OpenShop();
    const Lines start(stage.log.begin(), stage.log.begin() + 3);
    EXPECT_EQ(start, (Lines{"front", draw == 0 ? "music:shop.mid" : "music:star.mid", "sound:0:box.wav"}));
    EXPECT_EQ(stage.Starting("shop:").size(), 1u);
  }
  stage = FakeStage{};
  day.CloseShop();
  EXPECT_EQ(stage.log, (Lines{"sound:0:back.wav", "『さーてと帰って寝よ・・・』", "offer:||帰って寝る"}));
  // Gaining a piece: the sound, the line, a click.
  stage = FakeStage{};
  my.stock[101] = 1;
  day.GainItem(101);
  EXPECT_EQ(stage.log,
            (Lines{"sound:3:item.wav",
                   "[green]Item【" + day.goods_table[101].name + "】を 1個入手した(所持:2個)", "click"}));
}

}  // namespace
