// Starting over: a new game keeps the lasting progress, the full reset
// (the Enter key) erases it too.
#include "game/random.h"
#include "game/shop_day.h"

void ShopDay::NewGame() {
  stage.ClearLog();
  my.clerk_level = 0;
  my.money = 0;
  my.satisfaction = 0;
  my.day = 0;
  my.hours_to_closing = 8;

  my.stock.fill(0);
  // A few of the plain seals, drawn one by one in this order.
  for (int seal = 100; seal <= 105; ++seal) my.stock[seal] = Random(5);
  my.stock[200] = Random(3) + 1;  // ちっちゃな袋
  my.stock[201] = Random(2) + 5;  // 小さな袋
  my.stock[202] = Random(3) + 1;  // 大きめの袋
  my.stock[203] = Random(3) + 1;  // 特大の袋
  my.stock[207] = Random(2) + 1;  // パン袋

  stage.Save();
}

void ShopDay::FullReset() {
  my.play_count = 0;
  my.progress_flags.fill(0);
  my.seal_collected.fill(0);
  my.best_level = 0;
  my.best_days = 0;
  NewGame();
}
