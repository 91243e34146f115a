// The choice labels: slide easing, hover offset, empty labels, press
// counter and the click hint.
#include <vector>

#include "tests/view/form_fixture.h"

namespace {

using fixture::CountColor;
using fixture::CountOther;
using fixture::kMarker;

class ChoicesTest : public fixture::FormTest {
 protected:
  std::vector<int> Slides(int frames) {
    std::vector<int> out;
    for (int i = 0; i < frames; ++i) {
      UpdateChoices(*form);
      DrawChoices(form->cg, *form, form->picture_slots[kMarkerSlot], form->Translator());
      out.push_back(form->choice_slide);
    }
    return out;
  }

  // Leftmost column of marker pixels in the rows of choice n (0-2).
  int MarkerLeft(int n) {
    int top = kChoiceTop[n] - 14;
    for (int x = 0; x < kSceneWidth; ++x)
      if (CountColor(form->cg, kMarker, x, top, x + 1, top + 12) > 0) return x;
    return -1;
  }
};

TEST_F(ChoicesTest, SlideInAndOutEaseToTheirStops) {
  form->choices_active = true;
  form->choice_slide = -200;
  EXPECT_EQ(Slides(8), (std::vector<int>{-99, -49, -24, -11, -5, -2, 0, 0}));
  form->choices_active = false;
  EXPECT_EQ(Slides(8), (std::vector<int>{-81, -121, -141, -151, -156, -159, -160, -160}));
}

TEST_F(ChoicesTest, HoveredLabelIsDrawnTenPixelsLeftAndEmptyLabelsNotAtAll) {
  form->choice_text = {"Collection", "", "Start"};
  form->choice_slide = 0;
  form->choices_active = true;
  form->hovered_choice = 3;
  BlackScene();
  UpdateChoices(*form);
  DrawChoices(form->cg, *form, form->picture_slots[kMarkerSlot], form->Translator());
  // Marker at L - 7 - D with L = 256 and D = 0.
  EXPECT_EQ(MarkerLeft(0), 249);
  EXPECT_EQ(MarkerLeft(1), -1);
  EXPECT_EQ(MarkerLeft(2), 239);
  // No text where the empty label's would be (markers of the others
  // reach into its rows, left of the texts).
  EXPECT_EQ(CountOther(form->cg, 0x000000, 270, kChoiceTop[1] - 4, kSceneWidth, kChoiceTop[1] + 26), 0);
  // The label's text is there, right of the marker.
  EXPECT_GT(CountOther(form->cg, 0x000000, 281, kChoiceTop[0] + 2, kSceneWidth, kChoiceTop[0] + 26), 20);
}

TEST_F(ChoicesTest, SlidingLabelsMoveTwiceTheSlideToTheRight) {
  form->choice_text = {"A", "B", "C"};
  form->choices_active = true;
  form->choice_slide = -5;  // eases to -2 this frame: L = 260, D = 0
  BlackScene();
  UpdateChoices(*form);
  DrawChoices(form->cg, *form, form->picture_slots[kMarkerSlot], form->Translator());
  ASSERT_EQ(form->choice_slide, -2);
  EXPECT_EQ(MarkerLeft(0), 256 + 4 - 7);
  form->choice_slide = -11;  // eases to -5: L = 266, D = 3
  BlackScene();
  UpdateChoices(*form);
  DrawChoices(form->cg, *form, form->picture_slots[kMarkerSlot], form->Translator());
  EXPECT_EQ(MarkerLeft(1), 266 - 7 - 3);
}

TEST_F(ChoicesTest, PressCounterStepsOnEvenFramesAndWrapsAfterEight) {
  form->choice_text = {"A", "", "C"};
  form->choice_pressed = {1, 1, 8};
  form->frame_counter = 3;
  UpdateChoices(*form);
  DrawChoices(form->cg, *form, form->picture_slots[kMarkerSlot], form->Translator());
  EXPECT_EQ(form->choice_pressed, (std::array<int32_t, 3>{1, 1, 8}));
  form->frame_counter = 4;
  UpdateChoices(*form);
  DrawChoices(form->cg, *form, form->picture_slots[kMarkerSlot], form->Translator());
  // An empty label does not animate.
  EXPECT_EQ(form->choice_pressed, (std::array<int32_t, 3>{2, 1, 0}));
}

TEST_F(ChoicesTest, ClickHintOnlyDuringAGameWait) {
  form->choice_text = {"", "", ""};
  form->choices_active = false;
  form->choice_slide = -160;
  form->frame_counter = 6;  // the cycle's deepest pink
  auto hint_pixels = [&](ScreenPhase phase, ClickWait wait) {
    form->screen_phase = phase;
    form->click_wait = wait;
    form->choice_slide = -160;
    BlackScene();
    UpdateChoices(*form);
    DrawChoices(form->cg, *form, form->picture_slots[kMarkerSlot], form->Translator());
    return CountOther(form->cg, 0x000000, 270, 240, kSceneWidth, kSceneHeight);
  };
  EXPECT_EQ(hint_pixels(ScreenPhase::Menu, ClickWait::Waiting), 0);     // title menu
  EXPECT_EQ(hint_pixels(ScreenPhase::Playing, ClickWait::Idle), 0);     // nothing awaited
  EXPECT_EQ(hint_pixels(ScreenPhase::Playing, ClickWait::Closing), 0);  // closing
  EXPECT_GT(hint_pixels(ScreenPhase::Playing, ClickWait::Waiting), 30);
  EXPECT_GT(CountColor(form->cg, 0xFF77BB, 270, 240, kSceneWidth, kSceneHeight), 0);
  // Left edge of the hint at 435 + X = 275.
  EXPECT_EQ(CountOther(form->cg, 0x000000, 0, 240, 275, kSceneHeight), 0);
}

}  // namespace
