// The manager's verdict, promotion, dismissal, the clear and his stories.
#include <algorithm>

#include "tests/game/fixture.h"

namespace {

class ReviewTest : public ShopTest {
 protected:
  void Review(int satisfaction, int money, int level = 0) {
    Forget();
    form->screen_phase = 1;
    form->my.satisfaction = satisfaction;
    form->my.money = money;
    form->my.clerk_level = level;
    form->item_box.visible = false;
    Run([&] { form->DayEndReview(); });
  }
  template <size_t N>
  bool SaidAll(const std::array<const char*, N>& speech) const {
    // Each line in order (stories share their closing line).
    int at = -1;
    for (const char* line : speech) {
      at = IndexOf(line, at + 1);
      if (at < 0 || lines[at].kind != kBlue) return false;
    }
    return true;
  }
  bool Evening() const { return form->item_box.visible; }
};

TEST_F(ReviewTest, VerdictBoundaries) {
  struct Case {
    int s;
    int money_after;  // from 100 yen
    std::vector<std::string> money_lines;
  };
  const std::vector<Case> cases = {
      {21, 100 - 26, {"お金が 26円減った"}},
      {30, 100 - 26, {"お金が 26円減った"}},
      {31, 100, {}},
      {49, 100, {}},
      {69, 100, {}},
      {70, 100 + 26, {"お金 26円を入手"}},
      {80, 100 + 26, {"お金 26円を入手"}},
      {81, 100 + 34, {"お金 34円を入手"}},
      {90, 100 + 34, {"お金 34円を入手"}},
      {91, 100 + 51, {"お金 51円を入手"}},
      {99, 100 + 51, {"お金 51円を入手"}},
      {100, 200, {"お金 100円を入手"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.s);
    form->my.stock[132] = 0;
    Review(c.s, 100, 8);  // level 8 needs 90 % to rise
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].text, "うむっ、今日のお客さんの満足度は " + std::to_string(c.s) + "％じゃ。");
    EXPECT_EQ(lines[0].kind, kBlue);
    EXPECT_EQ(form->my.money, c.money_after);
    const bool cut = c.s <= 30;
    for (const std::string& l : c.money_lines) {
      EXPECT_TRUE(Printed(l)) << l;
      EXPECT_EQ(KindOf(l), cut ? kRed : kYellow2) << l;
    }
    const bool bonus70 = c.s >= 70 && c.s <= 80, bonus81 = c.s >= 81 && c.s <= 90,
               bonus91 = c.s >= 91 && c.s <= 99, perfect = c.s == 100;
    EXPECT_EQ(SaidAll(words::kManagerWageCut), cut);
    EXPECT_EQ(SaidAll(words::kManagerBonus70), bonus70);
    EXPECT_EQ(SaidAll(words::kManagerBonus81), bonus81);
    EXPECT_EQ(SaidAll(words::kManagerBonus91), bonus91);
    EXPECT_EQ(SaidAll(words::kManagerPerfect), perfect);
    EXPECT_EQ(form->my.stock[132], perfect ? 1 : 0);
    // The rating's fun.wav (tiers with lines), the wage cut's down.wav, then
    // the parting fun.wav.
    const std::vector<std::string> heard = Heard();
    const int funs = static_cast<int>(std::count(heard.begin(), heard.end(), std::string("0:fun.wav")));
    EXPECT_EQ(funs, (c.s <= 30 || c.s >= 70) ? 2 : 1);
    EXPECT_EQ(HeardSound("0:down.wav"), cut);
    EXPECT_EQ(HeardSound("3:lvup.wav"), c.s >= 90);
    EXPECT_EQ(form->my.clerk_level, c.s >= 90 ? 9 : 8);
    EXPECT_TRUE(SaidAll(words::kManagerParting));
    EXPECT_TRUE(Evening());
  }
}

TEST_F(ReviewTest, AWageCutWithNoMoneyReadsOneYen) {
  Review(25, 0);
  EXPECT_TRUE(Printed("お金が 1円減った"));
  // The cut is taken even below zero; the next frame puts it back to 0.
  EXPECT_LE(form->my.money, 0);
  PumpUntil([&] { return form->my.money == 0; }, 50);
  EXPECT_EQ(form->my.money, 0);
}

TEST_F(ReviewTest, PromotionNeedsFiftyAtLevelZeroAndNinetyFiveAtLevelNine) {
  Review(49, 0, 0);
  EXPECT_EQ(form->my.clerk_level, 0);
  EXPECT_FALSE(Printed(words::kManagerPromotion));

  form->my.best_level = 0;
  Review(50, 0, 0);
  EXPECT_EQ(form->my.clerk_level, 1);
  EXPECT_EQ(form->my.best_level, 1);
  const int promoted = IndexOf(words::kManagerPromotion);
  ASSERT_GE(promoted, 0);
  EXPECT_EQ(lines[promoted + 1].text, "あなたの店員レベルがあがりました!!");
  EXPECT_EQ(lines[promoted + 2].text, "レベルアップ!! → 1");
  EXPECT_EQ(lines[promoted + 2].kind, kYellow);
  EXPECT_TRUE(Evening());

  // best_level keeps the highest level of any game.
  form->my.best_level = 5;
  Review(60, 0, 2);
  EXPECT_EQ(form->my.clerk_level, 3);
  EXPECT_EQ(form->my.best_level, 5);

  Review(94, 0, 9);
  EXPECT_EQ(form->my.clerk_level, 9);
  EXPECT_FALSE(form->closing);
}

TEST_F(ReviewTest, NinetyFiveAtLevelTwoPaysTheBonusAndPromotes) {
  Review(95, 100, 2);
  EXPECT_EQ(form->my.money, 151);
  EXPECT_EQ(form->my.clerk_level, 3);
}

TEST_F(ReviewTest, ReachingLevelTenClearsTheGameAndClosesTheShop) {
  form->my.stock[132] = 0;
  Review(100, 1000, 9);
  EXPECT_EQ(form->my.money, 2000);
  EXPECT_EQ(form->my.stock[132], 1);
  EXPECT_EQ(form->my.clerk_level, 10);
  EXPECT_EQ(form->my.best_level, 10);
  EXPECT_EQ(form->my.progress_flags[kGameCleared], 1);
  EXPECT_TRUE(SaidAll(words::kManagerClear));
  const int clear = IndexOf("～～～～クリア～～～～");
  ASSERT_GE(clear, 0);
  EXPECT_EQ(lines[clear].kind, kRed);
  EXPECT_EQ(lines[clear + 1].text, "お・し・ま・い");
  EXPECT_EQ(form->click_wait, -1);
  EXPECT_TRUE(HeardSound("0:aha.wav"));
  EXPECT_TRUE(form->closing);
  EXPECT_FALSE(Evening());
  EXPECT_FALSE(Printed(words::kManagerParting[0]));

  // The clear was saved.
  Close();
  Open();
  EXPECT_EQ(form->my.progress_flags[kGameCleared], 1);
  EXPECT_EQ(form->my.best_level, 10);
}

TEST_F(ReviewTest, TwentyPercentGetsTheClerkFired) {
  form->my.play_count = 3;
  form->my.best_level = 4;
  form->my.stock[120] = 9;
  Review(20, 500, 3);
  EXPECT_TRUE(Printed(words::kManagerDismissal));
  EXPECT_FALSE(SaidAll(words::kManagerWageCut));
  const int fired = IndexOf("なんと、あなたはクビになってしまいました!!");
  ASSERT_GE(fired, 0);
  EXPECT_EQ(lines[fired].kind, kRed);
  EXPECT_EQ(lines[fired + 1].text, "ゲームオーバー");
  EXPECT_EQ(Heard(), (std::vector<std::string>{"3:gameover.wav", "3:start2.wav"}));
  // A new game waits at the title menu.
  EXPECT_EQ(form->screen_phase, 0);
  EXPECT_EQ(form->my.clerk_level, 0);
  EXPECT_EQ(form->my.money, 0);
  EXPECT_EQ(form->my.hours_to_closing, 8);
  EXPECT_EQ(form->my.stock[120], 0);
  EXPECT_EQ(form->my.play_count, 3);
  EXPECT_EQ(form->my.best_level, 4);
  EXPECT_EQ(Offered(), Choices("Collection", "About", "Start"));
  EXPECT_FALSE(Evening());
  EXPECT_FALSE(Printed(words::kManagerParting[0]));
}

TEST_F(ReviewTest, StoriesAreToldOnceInAPlayersLife) {
  // Level 3 never hears one and draws nothing for them.
  draws.asked.clear();
  Review(40, 0, 3);
  for (int n : draws.AskedBesidesTyping()) EXPECT_NE(n, 10);

  // At level 6 all three can come on one evening, in order.
  draws.Queue(10, {0, 0, 0});
  Review(40, 0, 6);
  EXPECT_TRUE(SaidAll(words::kManagerStory1));
  EXPECT_TRUE(SaidAll(words::kManagerStory2));
  EXPECT_TRUE(SaidAll(words::kManagerStory3));
  EXPECT_LT(IndexOf(words::kManagerStory1[0]), IndexOf(words::kManagerStory2[0]));
  EXPECT_LT(IndexOf(words::kManagerStory2[0]), IndexOf(words::kManagerStory3[0]));
  EXPECT_LT(IndexOf(words::kManagerStory3[0]), IndexOf(words::kManagerParting[0]));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(form->my.progress_flags[kStoryTold1 + i], 1);
  const std::vector<std::string> heard = Heard();
  EXPECT_EQ(std::count(heard.begin(), heard.end(), std::string("1:aa.wav")), 3);

  // Not again, in this game or the next, nor after the program restarts.
  form->NewGameReset();
  Close();
  Open();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(form->my.progress_flags[kStoryTold1 + i], 1);
  draws.Queue(10, {0, 0, 0});
  Review(40, 0, 6);
  EXPECT_FALSE(Printed(words::kManagerStory1[1]));
  EXPECT_FALSE(Printed(words::kManagerStory2[1]));
  EXPECT_FALSE(Printed(words::kManagerStory3[1]));

  // Only the full reset brings them back.
  form->FullReset();
  draws.Queue(10, {1, 0, 1});
  Review(40, 0, 6);
  EXPECT_FALSE(Printed(words::kManagerStory1[1]));
  EXPECT_TRUE(SaidAll(words::kManagerStory2));
  EXPECT_FALSE(Printed(words::kManagerStory3[1]));
  EXPECT_EQ(form->my.progress_flags[kStoryTold1], 0);
  EXPECT_EQ(form->my.progress_flags[kStoryTold1 + 1], 1);
}

TEST_F(ReviewTest, StoriesNeedTheirLevel) {
  draws.Queue(10, {0});
  Review(40, 0, 4);  // one draw: only the first story's level is reached
  EXPECT_TRUE(SaidAll(words::kManagerStory1));
  EXPECT_TRUE(draws.AllUsed());
  draws.Queue(10, {0, 0});
  Review(40, 0, 5);
  EXPECT_TRUE(SaidAll(words::kManagerStory2));
  EXPECT_FALSE(Printed(words::kManagerStory3[1]));
}

}  // namespace
