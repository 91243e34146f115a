// Closing time: the manager (天長) judges the day, pays or cuts the wage,
// promotes or fires the clerk, and sometimes tells a story from his past.
#include <algorithm>
#include <span>
#include <string>

#include "content/words.h"
#include "game/random.h"
#include "game/shop_day.h"

namespace {

template <size_t N>
void ManagerSays(ShopDay& day, const std::array<const char*, N>& lines) {
  for (const char* line : lines) day.Say(line, Ink::Blue);
}

}  // namespace

void ShopDay::DayEndReview() {
  const int s = my.satisfaction;
  Say("うむっ、今日のお客さんの満足度は " + std::to_string(s) + "％じゃ。", Ink::Blue);

  // The verdict. Bonuses are worked out from the money before they are paid.
  if (s >= 21 && s <= 30) {
    stage.Sound(0, "fun.wav");
    ManagerSays(*this, words::kManagerWageCut);
    const int cut = my.money / 4 + 1;
    my.money -= cut;  // with no money left this dips to -1 until the next frame
    stage.Sound(0, "down.wav");
    Say("お金が " + std::to_string(cut) + "円減った", Ink::Red);
  } else if (s >= 70 && s <= 80) {
    stage.Sound(0, "fun.wav");
    ManagerSays(*this, words::kManagerBonus70);
    GainMoney(my.money / 4 + 1);
  } else if (s >= 81 && s <= 90) {
    stage.Sound(0, "fun.wav");
    ManagerSays(*this, words::kManagerBonus81);
    GainMoney(my.money / 3 + 1);
  } else if (s >= 91 && s <= 99) {
    stage.Sound(0, "fun.wav");
    ManagerSays(*this, words::kManagerBonus91);
    GainMoney(my.money / 2 + 1);
  } else if (s >= 100) {
    stage.Sound(0, "fun.wav");
    ManagerSays(*this, words::kManagerPerfect);
    GainMoney(my.money);
    GainItem(kSealManager);
  }

  // Promotion: 50 % at level 0, five more per level, never above 99 %.
  if (s >= std::min(5 * my.clerk_level + 50, 99)) {
    Say(words::kManagerPromotion, Ink::Blue);
    my.clerk_level += 1;
    stage.Sound(3, "lvup.wav");
    if (my.clerk_level > my.best_level) my.best_level = my.clerk_level;
    stage.Line("あなたの店員レベルがあがりました!!", Ink::Yellow);
    Say("レベルアップ!! → " + std::to_string(my.clerk_level), Ink::Yellow);

    if (my.clerk_level >= 10) {
      stage.Sound(0, "aha.wav");
      my.progress_flags[kGameCleared] = 1;
      ManagerSays(*this, words::kManagerClear);
      stage.ShowScene("clear.bmp");
      Say("～～～～クリア～～～～", Ink::Red);
      Say("お・し・ま・い", Ink::Red);
      stage.Close();  // saves; the shop closes for good
      return;
    }
  }

  // Dismissal: back to the title menu, the game is lost.
  if (s <= 20) {
    Say(words::kManagerDismissal, Ink::Blue);
    stage.Sound(3, "gameover.wav");
    Say("なんと、あなたはクビになってしまいました!!", Ink::Red);
    Say("ゲームオーバー", Ink::Red);
    NewGame();
    stage.Playing(false);
    stage.Sound(3, "start2.wav");
    stage.ShowScene("login.bmp");
    stage.Offer(Command::Collection, Command::About, Command::Start);
    return;
  }

  // The manager's stories, each told once in the player's whole life, from
  // the clerk level given; each has a one-in-ten chance an evening.
  struct Story {
    int level;
    std::span<const char* const> lines;
  };
  const Story stories[] = {
      {4, words::kManagerStory1},
      {5, words::kManagerStory2},
      {6, words::kManagerStory3},
  };
  for (int i = 0; i < static_cast<int>(std::size(stories)); ++i) {
    if (my.clerk_level < stories[i].level || Random(10) != 0 || my.progress_flags[kStoryTold1 + i] != 0)
      continue;
    my.progress_flags[kStoryTold1 + i] = 1;
    stage.Sound(1, "aa.wav");
    for (const char* line : stories[i].lines) Say(line, Ink::Blue);
  }

  stage.Sound(0, "fun.wav");
  ManagerSays(*this, words::kManagerParting);
  OpenShop();
}
