// The seal box as picker and as collection viewer: filling, sliding,
// states, the label, and its capacity.
#include <vector>

#include "tests/view/form_fixture.h"

namespace {

// One frame of the seal box: its step, then its drawing while it is open.
void StepSealBox(TForm1& form) {
  form.UpdateSealBox();
  if (form.seal_box_state != SealBoxState::Closed) form.DrawSealBox(form.cg);
}

using fixture::CountColor;
using fixture::kBox;

class SealBoxTest : public fixture::FormTest {
 protected:
  std::vector<int> SlideFrames(int frames) {
    std::vector<int> xs;
    for (int i = 0; i < frames; ++i) {
      StepSealBox(*form);
      xs.push_back(form->seal_box_x);
    }
    return xs;
  }
  int Cell(int k) const { return form->seal_box_grid[k % 10][k / 10]; }
};

TEST_F(SealBoxTest, PickerLaysOutOnePiecePerCellInGoodsOrder) {
  form->my.stock = {};
  form->my.stock[101] = 3;
  form->my.stock[100] = 2;
  form->my.stock[5] = 4;    // an article: not a seal
  form->my.stock[130] = 2;  // no record
  form->game.SealStep();
  EXPECT_EQ(form->seal_box_count, 5);
  EXPECT_EQ(form->seal_box_state, SealBoxState::SlidingIn);
  EXPECT_EQ(form->seal_box_mode, SealBoxMode::Picker);
  EXPECT_EQ(form->seal_box_x, 390);
  EXPECT_EQ((std::vector<int>{Cell(0), Cell(1), Cell(2), Cell(3), Cell(4), Cell(5)}),
            (std::vector<int>{100, 100, 101, 101, 101, 0}));
  // Each seal is drawn on the box picture at its cell.
  const Bitmap& box = form->picture_slots[5];
  EXPECT_EQ(box.Pixel(20 + 5, 20 + 5), fixture::kSeal);  // seal01.bmp
  EXPECT_EQ(box.Pixel(20 + 60 + 5, 20 + 5), 0x100000u + 101);
  EXPECT_EQ(box.Pixel(20 + 150 + 5, 20 + 5), kBox);
}

TEST_F(SealBoxTest, ReopeningStartsFromAFreshBox) {
  form->my.stock[100] = 1;
  form->game.SealStep();
  ASSERT_EQ(form->picture_slots[5].Pixel(25, 25), fixture::kSeal);
  form->my.stock[100] = 0;
  form->my.stock[102] = 1;
  form->seal_box_grid[5][5] = 77;
  form->game.SealStep();
  EXPECT_EQ(form->seal_box_count, 1);
  EXPECT_EQ(form->seal_box_grid[5][5], 0);
  EXPECT_EQ(form->picture_slots[5].Pixel(25, 25), 0x100000u + 102);
  form->OpenSealBox(SealBoxUse::Picker, {});
  EXPECT_EQ(form->picture_slots[5].Pixel(25, 25), kBox);
}

TEST_F(SealBoxTest, PickerStopsAtTheBoxCapacity) {
  form->my.stock = {};
  form->my.stock[100] = 200;
  form->my.stock[101] = 100;
  form->game.SealStep();
  EXPECT_EQ(form->seal_box_count, 230);
  EXPECT_EQ(form->seal_box_grid[9][22], 101);
  EXPECT_EQ(form->seal_box_grid[0][20], 101);
  EXPECT_EQ(form->seal_box_grid[9][19], 100);
  for (int c = 0; c < kSealBoxColumns; ++c) EXPECT_EQ(form->seal_box_grid[c][23], 0);
  for (int c = 10; c < kSealBoxColumns; ++c) EXPECT_EQ(form->seal_box_grid[c][0], 0);
  // A further seal is simply not placed.
  form->AddSealToBox(102);
  EXPECT_EQ(form->seal_box_count, 230);
}

TEST_F(SealBoxTest, CollectionShowsCollectedSealsOnly) {
  form->my.seal_collected = {};
  form->my.seal_collected[150] = 1;
  form->my.seal_collected[100] = 3;
  form->my.seal_collected[5] = 1;    // not a seal
  form->my.seal_collected[130] = 1;  // no record
  form->my.stock[120] = 9;           // held, but never stuck
  form->game.OpenCollection();
  EXPECT_EQ(form->seal_box_mode, SealBoxMode::Collection);
  EXPECT_EQ(form->seal_box_state, SealBoxState::SlidingIn);
  EXPECT_EQ(form->seal_box_count, 2);
  EXPECT_EQ(Cell(0), 100);
  EXPECT_EQ(Cell(1), 150);
}

TEST_F(SealBoxTest, CompleteCollectionFillsFiftyCells) {
  for (int g = 0; g < kGoodsCount; ++g) form->my.seal_collected[g] = 1;
  form->game.OpenCollection();
  EXPECT_EQ(form->seal_box_count, 50);
  EXPECT_NE(form->seal_box_grid[9][4], 0);
  EXPECT_EQ(form->seal_box_grid[0][5], 0);
}

TEST_F(SealBoxTest, SlidesInInEightFramesAndOpens) {
  form->my.stock[100] = 1;
  form->game.SealStep();
  EXPECT_EQ(SlideFrames(9), (std::vector<int>{194, 96, 47, 23, 11, 5, 2, 0, 0}));
  EXPECT_EQ(form->seal_box_state, SealBoxState::Open);
}

TEST_F(SealBoxTest, PickerLeavesAtOnceAndCarriesTheSeal) {
  form->seal_box_state = SealBoxState::SlidingOut;
  form->seal_box_mode = SealBoxMode::Picker;
  form->seal_box_x = 0;
  StepSealBox(*form);
  EXPECT_GE(form->seal_box_x, 390);
  EXPECT_EQ(form->seal_box_state, SealBoxState::SealHeld);
  // The carried seal (16 px wide) is drawn at twice its size on the mouse.
  form->mouse_x = 100;
  form->mouse_y = 120;
  BlackScene();
  StepSealBox(*form);
  EXPECT_EQ(form->seal_box_state, SealBoxState::SealHeld);
  EXPECT_EQ(form->cg.Pixel(100, 120), fixture::kSeal);
  EXPECT_EQ(form->cg.Pixel(84, 104), fixture::kSeal);
  EXPECT_EQ(form->cg.Pixel(116, 120), 0x000000u);
  EXPECT_EQ(CountColor(form->cg, kBox, 0, 0, kSceneWidth, kSceneHeight), 0);
  // Stuck: it stays where it was stuck, whatever the mouse does.
  form->seal_box_state = SealBoxState::SealStuck;
  form->seal_x = 300;
  form->seal_y = 200;
  BlackScene();
  StepSealBox(*form);
  EXPECT_EQ(form->cg.Pixel(300, 200), fixture::kSeal);
  EXPECT_EQ(form->cg.Pixel(100, 120), 0x000000u);
}

TEST_F(SealBoxTest, LabelNamesTheCellUnderThePointerInEveryState) {
  form->my.stock = {};
  form->my.stock[101] = 1;
  form->game.SealStep();
  for (SealBoxState state : {SealBoxState::SlidingIn, SealBoxState::Open, SealBoxState::SlidingOut,
                             SealBoxState::SealHeld, SealBoxState::SealStuck}) {
    SCOPED_TRACE(static_cast<int>(state));
    form->seal_box_state = state;
    form->seal_box_x = 390;  // the box itself out of view
    form->seal_x = form->seal_y = 300;
    form->mouse_x = 10;  // the margin belongs to cell (0, 0)
    form->mouse_y = 10;
    form->frame_counter = 0;
    BlackScene();
    StepSealBox(*form);
    // Centred on (33, 14) in the label colour of frame 0.
    EXPECT_GT(CountColor(form->cg, 0xFFBBEE, 0, 0, 80, 30), 5);
  }
  // Over an empty cell there is no label.
  form->seal_box_state = SealBoxState::Open;
  form->mouse_x = 80;
  BlackScene();
  StepSealBox(*form);
  EXPECT_EQ(CountColor(form->cg, 0xFFBBEE, 0, 0, 200, 60), 0);
}

TEST_F(SealBoxTest, CollectionAddsNameAndDescriptionBelow) {
  form->my.seal_collected[101] = 1;
  form->game.OpenCollection();
  form->seal_box_x = 0;
  form->seal_box_state = SealBoxState::Open;
  form->mouse_x = 25;
  form->mouse_y = 25;
  BlackScene();
  StepSealBox(*form);
  EXPECT_GT(CountColor(form->cg, 0xBB0077, 20, 208, 200, 224), 10);
  EXPECT_GT(CountColor(form->cg, 0xCC2277, 20, 224, 200, 240), 5);
  EXPECT_FALSE(form->cg.brush_clear);
}

TEST_F(SealBoxTest, ClosingCollectionReturnsToTheTitleMenu) {
  form->screen_phase = ScreenPhase::Menu;
  form->my.seal_collected[100] = 1;
  form->game.OpenCollection();
  for (int i = 0; i < 10; ++i) Frame();
  ASSERT_EQ(form->seal_box_state, SealBoxState::Open);
  form->choice_text = {"", "", ""};
  form->choices_active = false;
  // Any click closes it.
  form->cgMouseDown(300, 200);
  EXPECT_EQ(form->seal_box_state, SealBoxState::SlidingOut);
  EXPECT_EQ(form->seal_box_mode, SealBoxMode::CollectionClosing);
  std::vector<int> xs;
  while (form->seal_box_state != SealBoxState::Closed && xs.size() < 30) {
    Frame();
    xs.push_back(form->seal_box_x);
  }
  EXPECT_EQ(form->seal_box_state, SealBoxState::Closed);
  EXPECT_EQ(form->seal_box_mode, SealBoxMode::Picker);
  EXPECT_EQ((std::vector<int>(xs.begin(), xs.begin() + 3)), (std::vector<int>{196, 294, 343}));
  EXPECT_EQ(form->choice_text, (std::array<std::string, 3>{"Collection", "About", "Start"}));
  EXPECT_TRUE(form->choices_active);
  EXPECT_EQ(form->choice_slide, -200);
  // The box is gone from the scene.
  Frame();
  EXPECT_EQ(CountColor(form->cg, kBox, 0, 0, kSceneWidth, kSceneHeight), 0);
}

}  // namespace
