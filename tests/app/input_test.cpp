// Where the mouse and the keys go: choice labels, hover sounds, title
// clicks, and the Enter key (its question is in dialog_test.cpp).
#include "tests/app/app_fixture.h"

namespace {

using Input = AppTest;

InputEvent Mouse(InputEvent::Kind kind, int x, int y) {
  InputEvent e;
  e.kind = kind;
  e.x = x;
  e.y = y;
  return e;
}

TEST_F(Input, HoverSoundOnlyAfterLeavingTheLabel) {
  form->screen_phase = ScreenPhase::Menu;
  form->choices_visible = true;
  form->OfferChoices(Command::None, Command::About, Command::Start);
  auto move = [&](int x, int y) { form->HandleEvent(Mouse(InputEvent::MouseMove, x, y)); };
  move(300, 240);  // onto "Start"
  EXPECT_EQ(form->hovered_choice, 3);
  EXPECT_EQ(CountSounds("key.wav"), 1);
  move(310, 250);  // still on it
  move(300, 210);  // straight onto "About"
  EXPECT_EQ(CountSounds("key.wav"), 2);
  move(300, 240);
  EXPECT_EQ(CountSounds("key.wav"), 3);
  move(300, 180);  // onto the empty first label: no sound, but it is hovered
  EXPECT_EQ(CountSounds("key.wav"), 3);
  EXPECT_EQ(form->hovered_choice, 1);
  move(100, 100);  // over the scene
  EXPECT_EQ(form->hovered_choice, 0);
  EXPECT_EQ(form->mouse_x, 100);
  move(300, 240);
  EXPECT_EQ(CountSounds("key.wav"), 4);
}

// A label's box, edges included, and nothing beside it; where two boxes
// overlap by a row, the upper label has it.
TEST_F(Input, LabelBoxesToTheirEdges) {
  form->screen_phase = ScreenPhase::Menu;
  form->choices_visible = true;
  form->OfferChoices(Command::Collection, Command::About, Command::Start);
  auto at = [&](int x, int y) {
    form->HandleEvent(Mouse(InputEvent::MouseMove, x, y));
    return form->hovered_choice;
  };
  const int right = kChoiceLeft + kChoiceWidth - 1;
  EXPECT_EQ(at(kChoiceLeft, kChoiceTop[2] + 5), 3);
  EXPECT_EQ(at(right, kChoiceTop[2] + 5), 3);
  EXPECT_EQ(at(kChoiceLeft - 1, kChoiceTop[2] + 5), 0);
  EXPECT_EQ(at(right + 1, kChoiceTop[2] + 5), 0);
  EXPECT_EQ(at(300, kChoiceTop[0]), 1);
  EXPECT_EQ(at(300, kChoiceTop[0] - 1), 0);
  EXPECT_EQ(at(300, kChoiceTop[1]), 1);  // the overlapping row
  EXPECT_EQ(at(300, kChoiceTop[1] + 1), 2);
  EXPECT_EQ(at(300, kChoiceTop[2] + kChoiceHeight - 1), 3);
  EXPECT_EQ(at(300, kChoiceTop[2] + kChoiceHeight), 0);
  form->choices_visible = false;
  EXPECT_EQ(at(300, kChoiceTop[2] + 5), 0);
}

TEST_F(Input, NoHoverWhileChoicesAreTaken) {
  form->screen_phase = ScreenPhase::Playing;
  form->choices_visible = true;
  form->OfferChoices(Command::None, Command::None, Command::Next);
  form->choices_active = false;
  form->selMouseMove(3);
  EXPECT_EQ(form->hovered_choice, 0);
  EXPECT_EQ(CountSounds("key.wav"), 0);
}

TEST_F(Input, LabelsIgnoreClicksBeforeTheTitleMenu) {
  form->screen_phase = ScreenPhase::TitleScreen;
  form->OfferChoices(Command::None, Command::About, Command::Start);
  form->click_wait = ClickWait::Waiting;
  form->selMouseDown(3);
  EXPECT_TRUE(form->choices_active);
  EXPECT_EQ(form->click_wait, ClickWait::Waiting);
}

TEST_F(Input, AClickAcknowledgesAWaitWithASound) {
  form->screen_phase = ScreenPhase::Playing;
  form->click_wait = ClickWait::Waiting;
  form->cgMouseDown(50, 60);
  EXPECT_EQ(form->click_wait, ClickWait::Idle);
  EXPECT_EQ(CountSounds("3.wav"), 1);
  form->cgMouseDown(50, 60);  // no wait pending: silent
  EXPECT_EQ(CountSounds("3.wav"), 1);
  EXPECT_EQ(form->mouse_x, 50);
}

TEST_F(Input, TwoClicksBringTheTitleMenu) {
  Create();
  EXPECT_EQ(form->screen_phase, ScreenPhase::TitlePicture);
  EXPECT_FALSE(form->choices_visible);
  form->HandleEvent(Mouse(InputEvent::MouseDown, 200, 100));
  EXPECT_EQ(form->screen_phase, ScreenPhase::TitleScreen);
  EXPECT_EQ(CountSounds("start.wav"), 1);
  // The title screen is on the display at once, doubled.
  Bitmap title;
  ASSERT_TRUE(title.LoadFromFile(form->CgPath("title.bmp")));
  EXPECT_EQ(form->cg.Pixel(2 * 100, 2 * 60), title.Pixel(100, 60));
  EXPECT_EQ(form->cg.Pixel(389, 259), title.Pixel(194, 129));
  form->HandleEvent(Mouse(InputEvent::MouseDown, 300, 240));  // where "Start" will be: not taken yet
  EXPECT_EQ(form->screen_phase, ScreenPhase::Menu);
  EXPECT_TRUE(form->choices_visible);
  EXPECT_EQ(form->my.play_count, 0);
  EXPECT_EQ(CountSounds("start2.wav"), 1);
  EXPECT_EQ(form->choice_text[1], "About");
  EXPECT_EQ(form->choice_text[2], "Start");
}

TEST_F(Input, TheStartUpTitleIsAnArticleOrAMaterial) {
  // The new game draws the starting stock first (eleven draws); then the
  // title draws until it lands on an article or a material: an empty
  // number, a seal and the empty 130 are drawn again.
  random.values = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 100, 130, 3};
  Create();
  ASSERT_GE(random.draws.size(), 15u);
  EXPECT_EQ(random.draws[11], 999);
  EXPECT_EQ(random.draws[14], 999);
  Bitmap note;
  ASSERT_TRUE(note.LoadFromFile(form->CgPath(form->goods_table[3].picture)));
  ASSERT_EQ(form->picture_slots[3].Width(), note.Width());
  EXPECT_EQ(form->picture_slots[3].Pixel(note.Width() / 2, note.Height() / 2),
            note.Pixel(note.Width() / 2, note.Height() / 2));
  // Drawn huge around (195, 100): twice its width, on the display itself.
  int w = note.Width();
  EXPECT_EQ(form->cg.Pixel(195 - w + 2 * (w / 2), 100 - w + 2 * (w / 2)),
            note.Pixel(w / 2, w / 2 * note.Height() / w));
}

}  // namespace
