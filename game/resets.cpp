// Starting over: a new game keeps the lasting progress, the full reset
// (the Enter key) erases it too.
#include "app/form.h"
#include "app/random.h"

void TForm1::NewGameReset() {
  ResetEffects();
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

  SaveProgress();
}

void TForm1::FullReset() {
  my.play_count = 0;
  my.progress_flags.fill(0);
  my.seal_collected.fill(0);
  my.best_level = 0;
  my.best_days = 0;
  NewGameReset();
}

// Clears the floating texts and hearts and the status panel's eased bars.
void TForm1::ResetEffects() {
  effect_next = 0;
  effect_kind.fill(0);
  effect_age.fill(0);
  effect_x.fill(0);
  effect_y.fill(0);
  effect_start_x.fill(0);
  effect_start_y.fill(0);
  for (auto& text : effect_text) text.clear();
  shown_satisfaction = 0;
  shown_hours = 0;
  goods_card_slide = 0;
}
