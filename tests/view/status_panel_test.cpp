// The status panel: slide-in, bars and their easing, the target tick, the
// numbers' colours, and the goods card with its description lines.
#include <vector>

#include "tests/view/form_fixture.h"
#include "view/sjis_cut.h"

namespace {

using fixture::CountColor;
using fixture::CountOther;

class StatusPanelTest : public fixture::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form->status_slide = 0;
    form->goods_card_state = 0;
  }
  void Draw() {
    BlackScene();
    form->DrawStatusPanel();
  }
};

TEST_F(StatusPanelTest, SlidesInFromTwoHundredPixelsRight) {
  form->status_slide = -200;
  std::vector<int> seen;
  for (int i = 0; i < 16; ++i) {
    Draw();
    seen.push_back(form->status_slide);
  }
  EXPECT_EQ(seen, (std::vector<int>{-149, -111, -83, -62, -46, -34, -25, -18, -13, -9, -6, -4, -2,
                                    -1, 0, 0}));
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
  // Target tick at 335 + 5 L, eight pixels high.
  EXPECT_EQ(CountColor(form->cg, 0xFFFF00, 335, 90, 336, 98), 8);

  form->my.clerk_level = 4;
  form->my.hours_to_closing = 6;
  form->shown_hours = 6;
  Draw();
  EXPECT_EQ(CountColor(form->cg, 0x33DDFF, 0, 68, kSceneWidth, 69), 6 * 950 / 12 / 10);
  EXPECT_EQ(CountColor(form->cg, 0xFFFF00, 355, 90, 356, 98), 8);
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
int SatisfactionPixels(const Bitmap& cg, Rgb color) { return CountColor(cg, color, 250, 73, 390, 90); }
int HoursPixels(const Bitmap& cg, Rgb color) { return CountColor(cg, color, 250, 50, 390, 66); }

TEST_F(StatusPanelTest, NumberColoursChangeAtTheirBoundaries) {
  form->my.clerk_level = 10;  // goal 100 %: the percentage is the satisfaction itself
  const std::pair<int, Rgb> satisfaction[] = {{10, 0x800000}, {11, 0xFF0000}, {30, 0xFF7744},
                                              {31, 0xFFCC55}, {65, 0xFFFFBB}, {66, 0xFFFFDD},
                                              {100, 0x00FFFF}};
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

TEST_F(StatusPanelTest, DescriptionIsCutAtTwentyTwoBytes) {
  EXPECT_EQ(CutDescriptionLines(std::string(22, 'a')).size(), 1u);
  EXPECT_EQ(CutDescriptionLines(std::string(23, 'a')),
            (std::vector<std::string>{std::string(22, 'a'), "a"}));
  EXPECT_EQ(CutDescriptionLines(std::string(50, 'b')),
            (std::vector<std::string>{std::string(22, 'b'), std::string(22, 'b'), "bbbbbb"}));
  // Eleven two-byte characters fill a line exactly; a twelfth starts the next.
  std::string eleven;
  for (int i = 0; i < 11; ++i) eleven += "あ";
  EXPECT_EQ(CutDescriptionLines(eleven).size(), 1u);
  EXPECT_EQ(CutDescriptionLines(eleven + "い"), (std::vector<std::string>{eleven, "い"}));
  // A two-byte character straddling byte 22 moves whole to the next line.
  std::string odd = "a" + eleven;
  EXPECT_EQ(CutDescriptionLines(odd), (std::vector<std::string>{"a" + eleven.substr(0, 30), "あ"}));
  // Half-width katakana count one byte.
  std::string kana;
  for (int i = 0; i < 22; ++i) kana += "ｱ";
  EXPECT_EQ(CutDescriptionLines(kana).size(), 1u);
}

TEST_F(StatusPanelTest, GoodsCardShowsItsLinesRightAligned) {
  titem& goods = form->goods_table[5];
  goods.name = "WWW";
  form->current_goods = 5;
  form->goods_card_state = 1;
  form->goods_card_slide = 0;
  auto second_line_pixels = [&](const std::string& description) {
    goods.description = description;
    Draw();
    return CountOther(form->cg, 0x000000, 300, 171, kSceneWidth, 180);
  };
  EXPECT_EQ(second_line_pixels(std::string(22, 'W')), 0);
  EXPECT_GT(second_line_pixels(std::string(23, 'W')), 3);
  // The one-byte second line hugs the right edge.
  EXPECT_EQ(CountOther(form->cg, 0x000000, 300, 171, 370, 180), 0);
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
  form->goods_card_state = 1;
  form->goods_card_slide = 100;
  std::vector<int> in;
  for (int i = 0; i < 7; ++i) {
    Draw();
    in.push_back(form->goods_card_slide);
  }
  EXPECT_EQ(in, (std::vector<int>{49, 24, 11, 5, 2, 0, 0}));
  form->goods_card_state = 2;
  int frames = 0;
  while (form->goods_card_state == 2 && frames < 50) {
    Draw();
    ++frames;
  }
  EXPECT_EQ(form->goods_card_state, 0);
  EXPECT_GE(form->goods_card_slide, 200);
  EXPECT_EQ(frames, 15);
}

}  // namespace
