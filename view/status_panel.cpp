// The status panel on the right of the scene during a game: day, hours left
// and satisfaction with their bars, level, money and the goods card.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "view/draw.h"
#include "view/text_boxes.h"

namespace {

// Colour of the hours and satisfaction numbers by percent of their goal;
// from 1000 the hours keep the colour already set while satisfaction stays
// cyan, and a value outside the scale keeps the colour already set.
Rgb ScaleColor(int value, Rgb at_hundred, Rgb at_thousand, Rgb current) {
  if (value >= 0 && value <= 10) return 0x800000;
  if (value >= 11 && value <= 20) return 0xFF0000;
  if (value >= 21 && value <= 30) return 0xFF7744;
  if (value >= 31 && value <= 50) return 0xFFCC55;
  if (value >= 51 && value <= 65) return 0xFFFFBB;
  if (value >= 66 && value <= 75) return 0xFFFFDD;
  if (value >= 76 && value <= 99) return 0xFFFFFF;
  if (value >= 100 && value <= 999) return at_hundred;
  if (value >= 1000 && value <= 9999) return at_thousand;
  return current;
}

// Moves a bar value toward its target by a tenth of the gap plus one.
int EaseBar(int value, int target) {
  if (target < value) value -= std::abs(value - target) / 10 + 1;
  if (target > value) value += std::abs(value - target) / 10 + 1;
  return value;
}

}  // namespace

void UpdateStatusPanel(TSceneVars& scene, const tmy& my, const titem* goods) {
  int& s = scene.status_slide;
  if (s < 0) s = s + (-s) / 4 + 1;
  TSceneVars::StatusDrawn& drawn = scene.status_drawn;
  drawn.hours = scene.shown_hours;
  drawn.satisfaction = scene.shown_satisfaction;
  scene.shown_hours = EaseBar(scene.shown_hours, my.hours_to_closing);
  scene.shown_satisfaction = EaseBar(scene.shown_satisfaction, my.satisfaction);

  // The goods card slides in with each customer and out after the visit.
  drawn.card_state = scene.goods_card_state;
  drawn.card_slide = scene.goods_card_slide;
  int& p = scene.goods_card_slide;
  if (scene.goods_card_state != GoodsCard::None && goods && !goods->name.empty()) {
    if (p > 0 && scene.goods_card_state == GoodsCard::In) p -= p / 2 + 1;
    if (scene.goods_card_state == GoodsCard::SlidingOut) {
      if (p < 200) p += (200 - p) / 4 + 1;
      if (p >= 200) scene.goods_card_state = GoodsCard::None;
    }
  }
}

void DrawStatusPanel(Bitmap& cg, const TSceneVars& scene, const tmy& my, const titem* goods,
                     const TranslateText& Shown) {
  const int s = scene.status_slide;
  const int right = 385 - s;
  const int day_hours = my.clerk_level + 8;

  // Two-pixel bars: the outline alone covers them.
  auto bar = [&](int left, int top, int bar_right, int bottom, Rgb color) {
    cg.Rectangle(left, top, bar_right, bottom, {color, 1}, kNoBrush);
  };
  bar(290 - s, 69, right, 71, 0x002244);
  int hours_fill = day_hours != 0 ? scene.status_drawn.hours * 950 / day_hours / 10 : 0;
  bar(289 - s, 67, 289 - s + hours_fill, 69, 0x33DDFF);
  bar(285 - s, 94, right, 96, 0x004444);
  bar(284 - s, 92, 284 - s + scene.status_drawn.satisfaction, 94, 0x00FFCC);
  bar(335 - s + 5 * my.clerk_level, 90, 336 - s + 5 * my.clerk_level, 98, 0xFFFF00);

  auto font = [](int size, Rgb color) { return TFont{kGameFace, size, true, color}; };
  auto right_aligned = [&](const std::string& line, int size, int y) {
    const std::string text = Shown(line);
    cg.TextOut(right - Bitmap::TextWidth(text, font(size, 0xFFFFFF)), y, text, font(size, 0xFFFFFF));
  };
  right_aligned("オープンから " + std::to_string(my.day) + "日目", 8, 35);

  // A small label, a big coloured number and a small unit, right-aligned
  // together.
  auto readout = [&](const std::string& label_text, int number, int number_size, const std::string& unit_text,
                     int label_y, int number_y, Rgb color) {
    const std::string label = Shown(label_text);
    const std::string unit = Shown(unit_text);
    std::string digits = std::to_string(number);
    const TFont small = font(8, 0xFFFFFF), big = font(number_size, color);
    int w1 = Bitmap::TextWidth(label, small);
    int w2 = Bitmap::TextWidth(unit, small);
    int wn = Bitmap::TextWidth(digits, big);
    cg.TextOut(right - w1 - wn - w2, label_y, label, small);
    cg.TextOut(right - wn - w2, number_y, digits, big);
    cg.TextOut(right - w2, label_y, unit, small);
  };
  int hours_percent = day_hours != 0 ? my.hours_to_closing * 100 / day_hours : -1;
  readout("閉店まで ", my.hours_to_closing, 12, " 時間", 55, 50,
          ScaleColor(hours_percent, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF));
  int goal = 5 * my.clerk_level + 50;
  int satisfaction_percent = goal != 0 ? my.satisfaction * 100 / goal : -1;
  readout("客の満足度 ", my.satisfaction, 15, " ％", 80, 73,
          ScaleColor(satisfaction_percent, 0x00FFFF, 0x00FFFF, 0xFFFFFF));

  right_aligned("LV: " + std::to_string(my.clerk_level), 9, 105);
  right_aligned("金:￥" + std::to_string(my.money) + "円", 9, 118);

  // The goods card.
  const int p = scene.status_drawn.card_slide;
  if (scene.status_drawn.card_state != GoodsCard::None && goods && !goods->name.empty()) {
    const int card_right = kGoodsCardRight + p;
    const std::string name = Shown(goods->name);
    const TFont& name_font = kGoodsCardName.font;
    cg.TextOut(card_right - Bitmap::TextWidth(name, name_font), 145, name, name_font);
    // The description broken as its language breaks, in lines as wide as the card.
    const TFont& line_font = kGoodsCardDescription.font;
    std::vector<std::string> lines =
        WrapText(Shown(goods->description), kGoodsCardDescription.box.width, line_font);
    lines.resize(std::min<size_t>(lines.size(), kGoodsCardDescription.box.max_lines));
    for (size_t i = 0; i < lines.size(); ++i) {
      cg.TextOut(card_right - Bitmap::TextWidth(lines[i], line_font),
                 160 + kGoodsCardLineStep * static_cast<int>(i), lines[i], line_font);
    }
  }
}
