// The status panel: slide-in, bars and their easing, the target tick, the
// numbers' colours, and the goods card with its description lines.
#include <vector>

#include "tests/view/form_fixture.h"
#include "view/text_boxes.h"

namespace {

using fixture::CountColor;
using fixture::CountOther;

class StatusPanelTest : public fixture::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form->status_slide = 0;
    form->goods_card_state = GoodsCard::None;
  }
  void Draw() {
    BlackScene();
    UpdateStatusPanel(*form, form->my, form->GoodsOnCounter());
    DrawStatusPanel(form->cg, *form, form->my, form->GoodsOnCounter(), form->Translator());
  }
};

TEST_F(StatusPanelTest, SlidesInFromTwoHundredPixelsRight) {
  form->status_slide = -200;
  std::vector<int> seen;
  for (int i = 0; i < 16; ++i) {
    Draw();
    seen.push_back(form->status_slide);
  }
  EXPECT_EQ(seen,
            (std::vector<int>{-149, -111, -83, -62, -46, -34, -25, -18, -13, -9, -6, -4, -2, -1, 0, 0}));
}

TEST_F(StatusPanelTest, FullDayFillsTheHoursBarAndTheTickMarksTheGoal) {
  form->my.clerk_level = 0;
  form->my.hours_to_closing = 8;
  form->shown_hours = 8;
  form->my.satisfaction = 40;
  form->shown_satisfaction = 40;
  Draw();
  // The fill's lower row: x 289 to 383.
  EXPECT_EQ(CountColor(form->cg, 0x33DDFF, 0, 68, kSceneWidth, 69), 95);
  EXPECT_EQ(form->cg.Pixel(289, 68), 0x33DDFFu);
  EXPECT_EQ(form->cg.Pixel(383, 68), 0x33DDFFu);
  EXPECT_EQ(CountColor(form->cg, 0x00FFCC, 0, 93, kSceneWidth, 94), 40);
  // Target tick at 335 + 5 L, eight pixels high; the big number may cover
  // its top rows.
  EXPECT_EQ(CountColor(form->cg, 0xFFFF00, 335, 94, 336, 98), 4);
  EXPECT_EQ(CountColor(form->cg, 0xFFFF00, 336, 90, 390, 98), 0);

  form->my.clerk_level = 4;
  form->my.hours_to_closing = 6;
  form->shown_hours = 6;
  Draw();
  EXPECT_EQ(CountColor(form->cg, 0x33DDFF, 0, 68, kSceneWidth, 69), 6 * 950 / 12 / 10);
  // Here the big number may cover its top; below the number it shows.
  EXPECT_EQ(CountColor(form->cg, 0xFFFF00, 355, 94, 356, 98), 4);
  EXPECT_EQ(CountColor(form->cg, 0xFFFF00, 336, 90, 355, 98), 0);
}

TEST_F(StatusPanelTest, BarsEaseWithoutOvershoot) {
  form->my.satisfaction = 100;
  form->my.hours_to_closing = 3;
  form->shown_satisfaction = 0;
  form->shown_hours = 8;
  std::vector<int> satisfaction, hours;
  for (int i = 0; i < 30; ++i) {
    Draw();
    satisfaction.push_back(form->shown_satisfaction);
    hours.push_back(form->shown_hours);
  }
  EXPECT_EQ(std::vector<int>(satisfaction.begin(), satisfaction.begin() + 4),
            (std::vector<int>{11, 20, 29, 37}));
  EXPECT_EQ(std::vector<int>(hours.begin(), hours.begin() + 4), (std::vector<int>{7, 6, 5, 4}));
  for (int v : satisfaction) EXPECT_LE(v, 100);
  for (int v : hours) EXPECT_GE(v, 3);
  EXPECT_EQ(satisfaction.back(), 100);
  EXPECT_EQ(hours.back(), 3);
}

// Pixels of the satisfaction number's colour, in the number's rows.
int SatisfactionPixels(const Bitmap& cg, Rgb color) {
  return CountColor(cg, color, 250, 73, 390, 90);
}
int HoursPixels(const Bitmap& cg, Rgb color) {
  return CountColor(cg, color, 250, 50, 390, 66);
}

TEST_F(StatusPanelTest, NumberColoursChangeAtTheirBoundaries) {
  form->my.clerk_level = 10;  // goal 100 %: the percentage is the satisfaction itself
  const std::pair<int, Rgb> satisfaction[] = {{10, 0x800000}, {11, 0xFF0000}, {30, 0xFF7744}, {31, 0xFFCC55},
                                              {65, 0xFFFFBB}, {66, 0xFFFFDD}, {100, 0x00FFFF}};
  for (auto [value, color] : satisfaction) {
    SCOPED_TRACE(value);
    form->my.satisfaction = value;
    Draw();
    EXPECT_GT(SatisfactionPixels(form->cg, color), 10);
  }
  form->my.satisfaction = 99;
  Draw();
  EXPECT_EQ(SatisfactionPixels(form->cg, 0x00FFFF), 0);
  EXPECT_GT(SatisfactionPixels(form->cg, 0xFFFFFF), 10);

  // Hours at level 0: a full day is 100 % and white, half a day 50 %.
  form->my.clerk_level = 0;
  form->my.hours_to_closing = 8;
  Draw();
  EXPECT_GT(HoursPixels(form->cg, 0xFFFFFF), 10);
  EXPECT_EQ(HoursPixels(form->cg, 0x00FFFF), 0);
  form->my.hours_to_closing = 4;
  Draw();
  EXPECT_GT(HoursPixels(form->cg, 0xFFCC55), 10);
  form->my.hours_to_closing = 0;
  Draw();
  EXPECT_GT(HoursPixels(form->cg, 0x800000), 5);
}

TEST_F(StatusPanelTest, GoodsCardShowsItsLinesRightAligned) {
  titem& goods = form->goods_table[5];
  goods.name = "WWW";
  form->current_goods = 5;
  form->goods_card_state = GoodsCard::In;
  form->goods_card_slide = 0;
  auto second_line_pixels = [&](const std::string& description) {
    goods.description = description;
    Draw();
    return CountOther(form->cg, 0x000000, 200, 171, kSceneWidth, 180);
  };
  // As many characters as the card's width holds make one line; one more
  // makes a second, and takes the last one along for its 、.
  form->cg.font = kGoodsCardDescription.font;
  std::string line;
  while (form->cg.TextWidth(line + "あ") <= kGoodsCardWidth) line += "あ";
  EXPECT_EQ(second_line_pixels(line), 0);
  EXPECT_GT(second_line_pixels(line + "あ、"), 3);
  // The second line ("あ、") hugs the card's right edge, which keeps off the scene's.
  EXPECT_EQ(CountOther(form->cg, 0x000000, 200, 171, kGoodsCardRight - 30, 180), 0);
  EXPECT_EQ(CountOther(form->cg, 0x000000, kGoodsCardRight + 1, 140, kSceneWidth, 195), 0);
  // The name in its own colour.
  EXPECT_GT(CountColor(form->cg, 0xBB0077, 340, 145, kSceneWidth, 158), 5);

  // No card for goods without a name.
  goods.name.clear();
  Draw();
  EXPECT_EQ(CountColor(form->cg, 0xCC2277, 0, 150, kSceneWidth, 195), 0);
}

TEST_F(StatusPanelTest, GoodsCardSlidesInAndOut) {
  form->current_goods = 1;
  ASSERT_FALSE(form->goods_table[1].name.empty());
  form->goods_card_state = GoodsCard::In;
  form->goods_card_slide = 100;
  std::vector<int> in;
  for (int i = 0; i < 7; ++i) {
    Draw();
    in.push_back(form->goods_card_slide);
  }
  EXPECT_EQ(in, (std::vector<int>{49, 24, 11, 5, 2, 0, 0}));
  form->goods_card_state = GoodsCard::SlidingOut;
  int frames = 0;
  while (form->goods_card_state == GoodsCard::SlidingOut && frames < 50) {
    Draw();
    ++frames;
  }
  EXPECT_EQ(form->goods_card_state, GoodsCard::None);
  EXPECT_GE(form->goods_card_slide, 200);
  EXPECT_EQ(frames, 15);
}

TEST_F(StatusPanelTest, SatisfactionFarAboveTheGoalStaysCyan) {
  // Within the frame before the clamp, satisfaction can be far out of range.
  form->my.clerk_level = 0;     // goal 50: R = 2 x satisfaction
  form->my.satisfaction = 500;  // R 1000
  Draw();
  EXPECT_GT(SatisfactionPixels(form->cg, 0x00FFFF), 10);
  form->my.satisfaction = 4999;  // R 9998
  Draw();
  EXPECT_GT(SatisfactionPixels(form->cg, 0x00FFFF), 10);
  const int label_white = SatisfactionPixels(form->cg, 0xFFFFFF);  // the label and the unit
  form->my.satisfaction = 5000;                                    // R 10000: off the scale, white
  Draw();
  EXPECT_EQ(SatisfactionPixels(form->cg, 0x00FFFF), 0);
  EXPECT_GT(SatisfactionPixels(form->cg, 0xFFFFFF), label_white + 10);
  // Hours at 1000 % keep the white already set.
  form->my.hours_to_closing = 80;
  Draw();
  EXPECT_GT(HoursPixels(form->cg, 0xFFFFFF), 10);
  EXPECT_EQ(HoursPixels(form->cg, 0x00FFFF), 0);
}

// The panel's texts, each in its rows, against the same texts set by hand
// where the panel's layout puts them.
TEST_F(StatusPanelTest, TextsSitRightAlignedInTheirSizesAndColours) {
  form->my.day = 12;
  form->my.clerk_level = 2;       // a day of 10 hours, goal 60 %
  form->my.hours_to_closing = 6;  // J 60: #FFFFBB
  form->my.satisfaction = 45;     // R 75: #FFFFDD
  form->my.money = 4321;
  form->shown_hours = 6;
  form->shown_satisfaction = 45;
  Draw();

  Bitmap want(kSceneWidth, kSceneHeight);
  want.brush_clear = false;
  want.brush_color = 0x000000;
  want.FillRect(0, 0, kSceneWidth, kSceneHeight);
  want.brush_clear = true;
  want.font.bold = true;
  auto put = [&](const std::string& text, int size, Rgb color, int right, int y) {
    want.font.size = size;
    want.font.color = color;
    want.TextOut(right - want.TextWidth(text), y, text);
    return want.TextWidth(text);
  };
  auto width = [&](const std::string& text, int size) {
    want.font.size = size;
    return want.TextWidth(text);
  };
  put("オープンから 12日目", 8, 0xFFFFFF, 385, 35);
  int unit = put(" 時間", 8, 0xFFFFFF, 385, 55);
  int number = put("6", 12, 0xFFFFBB, 385 - unit, 50);
  put("閉店まで ", 8, 0xFFFFFF, 385 - unit - number, 55);
  unit = put(" ％", 8, 0xFFFFFF, 385, 80);
  number = put("45", 15, 0xFFFFDD, 385 - unit, 73);
  put("客の満足度 ", 8, 0xFFFFFF, 385 - unit - number, 80);
  put("LV: 2", 9, 0xFFFFFF, 385, 105);
  put("金:￥4321円", 9, 0xFFFFFF, 385, 118);
  ASSERT_GT(width("金:￥4321円", 9), width("金:￥4321円", 8));

  // Rows that hold text only (the bars and the tick lie in between).
  for (auto [top, bottom] : {std::pair{30, 49}, std::pair{50, 67}, std::pair{73, 90}, std::pair{99, 140}}) {
    int differ = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = 200; x < kSceneWidth; ++x) differ += form->cg.Pixel(x, y) != want.Pixel(x, y);
    EXPECT_EQ(differ, 0) << "rows " << top << " to " << bottom;
    EXPECT_GT(CountOther(want, 0x000000, 200, top, kSceneWidth, bottom), 20);
  }
}

}  // namespace
