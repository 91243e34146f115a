// Message lines and heart bursts: how they age, rise, colour and end.
#include "tests/view/form_fixture.h"

namespace {

using fixture::CountColor;
using fixture::CountOther;

class EffectsTest : public fixture::FormTest {
 protected:
  // Topmost row with a lit pixel in the log's columns, -1 when none.
  int TopRow() {
    for (int y = 0; y < kSceneHeight; ++y)
      if (CountOther(form->cg, 0x000000, 0, y, 200, y + 1) > 0) return y;
    return -1;
  }
};

TEST_F(EffectsTest, MessageLineAgesEveryOtherFrameAndEndsPastTheTop) {
  form->AddEffect(5, 245, "ABC", EffectKind::Line);
  int frames = 0;
  int last_alive_age = 0;
  while (form->effects[form->effect_next].age > 0 && frames < 1000) {
    last_alive_age = form->effects[form->effect_next].age;
    form->frame_counter = frames % 1000;
    UpdateEffects(*form);
    DrawEffects(form->cg, form->bak, form->lit, *form, form->Translator());
    ++frames;
  }
  // It is drawn a last time at age 256 (its top above y = -10) and ends at
  // the next step.
  EXPECT_EQ(last_alive_age, 256);
  EXPECT_EQ(form->effects[form->effect_next].age, 0);
  EXPECT_TRUE(form->effects[form->effect_next].text.empty());
  // Age 1 to 256, one step every second frame, and the step that ends it.
  EXPECT_EQ(frames, 2 * 255 + 1);
}

TEST_F(EffectsTest, ColouredLinesEndByTheSameRule) {
  form->AddEffect(5, 245, "x", EffectKind::Line, Ink::Pink2);
  form->effects[form->effect_next].age = 255;
  form->frame_counter = 2;
  UpdateEffects(*form);
  DrawEffects(form->cg, form->bak, form->lit, *form, form->Translator());
  EXPECT_EQ(form->effects[form->effect_next].age, 255);
  form->frame_counter = 3;
  UpdateEffects(*form);
  DrawEffects(form->cg, form->bak, form->lit, *form, form->Translator());
  EXPECT_EQ(form->effects[form->effect_next].age, 256);  // drawn once more
  form->frame_counter = 4;
  UpdateEffects(*form);
  EXPECT_EQ(form->effects[form->effect_next].age, 0);
}

TEST_F(EffectsTest, ANewLinePushesOlderOnesTwelvePixelsUp) {
  form->PrintMessage("WWWW");
  form->frame_counter = 0;  // even: no drift
  BlackScene();
  UpdateEffects(*form);
  DrawEffects(form->cg, form->bak, form->lit, *form, form->Translator());
  int first = TopRow();
  ASSERT_GT(first, 200);
  form->PrintMessage("");  // an empty line still pushes the log
  BlackScene();
  UpdateEffects(*form);
  DrawEffects(form->cg, form->bak, form->lit, *form, form->Translator());
  EXPECT_EQ(TopRow(), first - 12);
}

TEST_F(EffectsTest, LineColoursFollowTheirKindAndAge) {
  struct Case {
    Ink ink;
    int age;  // after this frame's step
    Rgb text;
    Rgb shadow;
  };
  const Case cases[] = {
      {Ink::Plain, 20, 0xDDDDDD, 0x555555},   // 20 mod 9 = 2
      {Ink::Yellow, 25, 0xDF8702, 0x555555},  // 25 mod 10 = 5
      {Ink::Pink2, 30, 0xFFBBCC, 0x552255},   // 30 mod 10 = 0
  };
  for (Case c : cases) {
    SCOPED_TRACE(static_cast<int>(c.ink));
    for (int i = 0; i < kEffectRing; ++i) form->effects[i].age = 0;
    form->AddEffect(5, 150, "WWWWWWWW", EffectKind::Line, c.ink);
    form->effects[form->effect_next].age = c.age - 1;
    form->frame_counter = 1;  // odd: the line ages one step
    BlackScene();
    UpdateEffects(*form);
    DrawEffects(form->cg, form->bak, form->lit, *form, form->Translator());
    ASSERT_EQ(form->effects[form->effect_next].age, c.age);
    EXPECT_GT(CountColor(form->cg, c.text, 0, 100, 200, 150), 5);
    EXPECT_GT(CountColor(form->cg, c.shadow, 0, 100, 200, 150), 5);
  }
}

TEST_F(EffectsTest, HeartBurstIsDrawnTwentyFramesOnTheLightLayer) {
  form->AddEffect(200, 120, "", EffectKind::Heart);
  int drawn = 0;
  for (int frame = 0; frame < 40; ++frame) {
    form->bak.brush_clear = false;
    form->bak.brush_color = 0;
    form->bak.FillRect(0, 0, kSceneWidth, kSceneHeight);
    UpdateEffects(*form);
    DrawEffects(form->cg, form->bak, form->lit, *form, form->Translator());
    if (CountOther(form->bak, 0x000000, 0, 0, kSceneWidth, kSceneHeight) > 0) ++drawn;
    // The brush of the light layer is solid again after every effect.
    EXPECT_FALSE(form->bak.brush_clear);
  }
  EXPECT_EQ(drawn, 20);
  EXPECT_EQ(form->effects[form->effect_next].age, -1);
}

TEST_F(EffectsTest, HeartColoursDarkenWithAge) {
  // Both sides of every step.
  const std::pair<int, Rgb> steps[] = {{1, 0xEE55AA},  {3, 0xEE55AA},  {4, 0xDD4488},  {7, 0xDD4488},
                                       {8, 0xBB3377},  {11, 0xBB3377}, {12, 0x992255}, {15, 0x992255},
                                       {16, 0x551133}, {18, 0x551133}, {19, 0x331122}, {20, 0x331122}};
  for (auto [age, color] : steps) {
    SCOPED_TRACE(age);
    form->bak.brush_color = 0;
    form->bak.FillRect(0, 0, kSceneWidth, kSceneHeight);
    DrawHeart(form->bak, form->lit, 200, 120, age);
    // Each heart is a filled shape of one colour: the triangle's inside is
    // flooded, so dozens of pixels carry it.
    EXPECT_GT(CountColor(form->bak, color, 0, 0, kSceneWidth, kSceneHeight), 200);
    EXPECT_EQ(CountOther(form->bak, 0x000000, 0, 0, kSceneWidth, kSceneHeight),
              CountColor(form->bak, color, 0, 0, kSceneWidth, kSceneHeight));
  }
}

// One heart as the player sees it: two discs on a triangle pointing down to
// (x, y), filled. Age 0 puts all four of a burst on the same spot.
TEST_F(EffectsTest, AHeartsShape) {
  form->bak.brush_color = 0;
  form->bak.FillRect(0, 0, kSceneWidth, kSceneHeight);
  DrawHeart(form->bak, form->lit, 200, 120, 0);
  const char* expected[] = {
      // x = 189 ... 211, y = 104 ... 121
      ".......................",  //
      "....####......####.....",  //
      "..########..########...",  //
      "..########..########...",  //
      ".####################..",  //
      ".####################..",  //
      ".#####################.",  //
      ".####################..",  //
      "..##################...",  //
      "..##################...",  //
      "....##############.....",  //
      "......###########......",  //
      ".......#########.......",  //
      "........#######........",  //
      ".........#####.........",  //
      "..........###..........",  //
      "...........#...........",  //
      ".......................",  //
  };
  for (int row = 0; row < 18; ++row) {
    std::string seen;
    for (int x = 189; x < 212; ++x) seen += form->bak.Pixel(x, 104 + row) ? '#' : '.';
    EXPECT_EQ(seen, expected[row]) << "y = " << 104 + row;
  }
  EXPECT_EQ(CountOther(form->bak, 0x000000, 0, 0, kSceneWidth, kSceneHeight),
            CountOther(form->bak, 0x000000, 189, 104, 212, 122));
}

TEST_F(EffectsTest, HeartsStartAQuarterTurnApartAroundTheSeal) {
  // At age 10 the radius is 20: heart j sits at 90 j + 10 degrees.
  form->bak.brush_color = 0;
  form->bak.FillRect(0, 0, kSceneWidth, kSceneHeight);
  DrawHeart(form->bak, form->lit, 200, 120, 10);
  // Heart 4 (370 degrees): about (219, 123); its triangle's inside lies
  // just above the tip.
  EXPECT_EQ(form->bak.Pixel(219, 121), 0xBB3377u);
  // Heart 2 (190 degrees): about (181, 117).
  EXPECT_EQ(form->bak.Pixel(181, 115), 0xBB3377u);
  // The centre itself stays dark.
  EXPECT_EQ(form->bak.Pixel(200, 120), 0x000000u);
}

TEST_F(EffectsTest, LightLayerBrightensTheSceneByOr) {
  form->AddEffect(60, 40, "", EffectKind::Heart);
  form->choice_text = {"", "", ""};
  form->screen_phase = ScreenPhase::Menu;
  Frame();  // age 2
  // Heart 1 at 92 degrees, radius 4: tip about (60, 43).
  Rgb lit = form->cg.Pixel(60, 41);
  EXPECT_EQ(lit, fixture::kBackground | 0xEE55AA);
}

TEST_F(EffectsTest, TheLightLayerIsLitOnlyInsideTheAreasItClearsAndCombines) {
  form->choice_text = {"", "", ""};
  form->screen_phase = ScreenPhase::Menu;
  auto lit_outside_areas = [&] {
    int n = 0;
    for (int y = 0; y < kSceneHeight; ++y) {
      for (int x = 0; x < kSceneWidth; ++x) {
        if (form->bak.Pixel(x, y) == 0) continue;
        bool inside = false;
        for (const auto& [left, top, right, bottom] : form->lit.areas)
          inside = inside || (x >= left && x < right && y >= top && y < bottom);
        n += !inside;
      }
    }
    return n;
  };
  // Two bursts in the open: every lit pixel lies in a kept area, and the
  // scene shows the light there.
  form->AddEffect(200, 150, "", EffectKind::Heart);
  form->AddEffect(120, 100, "", EffectKind::Heart);
  for (int frame = 0; frame < 25; ++frame) {
    SCOPED_TRACE(frame);
    Frame();
    ASSERT_FALSE(form->lit.everywhere);
    EXPECT_EQ(lit_outside_areas(), 0);
    EXPECT_LE(form->lit.areas.size(), 8u);  // four hearts a burst
  }
  // All over: the areas lit last were cleared, nothing is combined.
  Frame();
  EXPECT_TRUE(form->lit.areas.empty());
  EXPECT_EQ(CountOther(form->bak, 0x000000, 0, 0, kSceneWidth, kSceneHeight), 0);

  // A burst cut by any edge may light anything: the whole layer counts, and
  // every light it spills reaches the scene.
  const int edges[][2] = {{3, 8}, {3, 130}, {200, 3}, {386, 130}, {200, 257}};
  for (const auto& [x, y] : edges) {
    SCOPED_TRACE(testing::Message() << "burst at " << x << "," << y);
    form->AddEffect(x, y, "", EffectKind::Heart);
    Frame();
    EXPECT_TRUE(form->lit.everywhere);
    for (int frame = 0; frame < 25; ++frame) {
      Frame();
      if (!form->lit.everywhere) {
        EXPECT_EQ(lit_outside_areas(), 0) << "frame " << frame;
      }
    }
    Frame();
    EXPECT_FALSE(form->lit.everywhere);
    EXPECT_EQ(CountOther(form->bak, 0x000000, 0, 0, kSceneWidth, kSceneHeight), 0);
  }
  // The scene itself has no light left on it.
  EXPECT_EQ(form->cg.Pixel(3, 0), fixture::kBackground);
}

}  // namespace
