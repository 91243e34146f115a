// The floating message log and the choice prompt.
#include "tests/app/app_fixture.h"

namespace {

using Messages = AppTest;

TEST_F(Messages, LinesStandTwelvePixelsApartNewestLowest) {
  form->click_wait = ClickWait::Idle;
  form->PrintMessage("一");
  form->PrintMessage("二");
  form->PrintMessage("三");
  int first = 1, second = 2, third = 3;  // ring entries written in order
  EXPECT_EQ(form->effects[first].text, "一");
  EXPECT_EQ(form->effects[third].age, 13);
  EXPECT_EQ(form->effects[second].age, 25);
  EXPECT_EQ(form->effects[first].age, 37);
  EXPECT_EQ(form->effects[third].y, 245);
  EXPECT_EQ(form->effects[third].x, 5);
}

TEST_F(Messages, AnEmptyLineStillTypesAndPushesTheLogUp) {
  form->click_wait = ClickWait::Idle;
  form->PrintMessage("前");
  form->PrintMessage("");
  EXPECT_EQ(CountSounds("moji.wav"), 2);
  EXPECT_EQ(form->effects[1].age, 25);
  EXPECT_EQ(form->effects[2].text, "");
}

TEST_F(Messages, TypingSoundChannelsFollowTheDraw) {
  form->click_wait = ClickWait::Idle;
  random.values = {1, 0, 1, 0};
  form->PrintMessage("a");
  form->PrintMessage("b");
  form->PrintColorMessage("c", Ink::Red);
  form->PrintColorMessage("d", Ink::Red);
  ASSERT_EQ(sounds.size(), 4u);
  EXPECT_EQ(sounds[0].first, 3);
  EXPECT_EQ(sounds[1].first, 4);
  EXPECT_EQ(sounds[2].first, 0);
  EXPECT_EQ(sounds[3].first, 4);
}

TEST_F(Messages, EachInkGoesOnTheMessageLineInThatInk) {
  form->click_wait = ClickWait::Idle;
  for (Ink ink :
       {Ink::Plain, Ink::Green, Ink::Yellow, Ink::Blue, Ink::Pink, Ink::Red, Ink::Yellow2, Ink::Pink2}) {
    form->Line("x", ink);
    EXPECT_EQ(form->effects[form->effect_next].kind, EffectKind::Line) << static_cast<int>(ink);
    EXPECT_EQ(form->effects[form->effect_next].ink, ink) << static_cast<int>(ink);
    // On the message line like every other line.
    EXPECT_EQ(form->effects[form->effect_next].x, 5);
    EXPECT_EQ(form->effects[form->effect_next].y, 245);
  }
}

TEST_F(Messages, TheFiftyFirstEffectOverwritesTheOldest) {
  for (int i = 0; i < 50; ++i)
    form->AddEffect(0, 0, std::string("e").append(std::to_string(i)), EffectKind::Line);
  EXPECT_EQ(form->effects[1].text, "e0");
  EXPECT_EQ(form->effects[0].text, "e49");  // the ring wrapped from 49 to 0
  form->AddEffect(0, 0, "e50", EffectKind::Heart);
  EXPECT_EQ(form->effect_next, 1);
  EXPECT_EQ(form->effects[1].text, "e50");
  EXPECT_EQ(form->effects[1].kind, EffectKind::Heart);
  EXPECT_EQ(form->effects[1].age, 1);
}

TEST_F(Messages, HeartBurstsDoNotRiseWithTheLog) {
  form->click_wait = ClickWait::Idle;
  form->AddEffect(100, 100, "", EffectKind::Heart);
  form->PrintMessage("上へ");
  EXPECT_EQ(form->effects[1].age, 1);
}

TEST_F(Messages, OfferingChoicesResetsTheSlideAndPresses) {
  form->choice_pressed = {3, 5, 8};
  form->OfferChoices(Command::None, Command::None, Command::None);
  EXPECT_EQ(form->choice_slide, -200);
  EXPECT_TRUE(form->choices_active);
  EXPECT_EQ(form->choice_pressed, (std::array<int32_t, 3>{0, 0, 0}));
  // All three empty: no label can be taken, a click only ends a wait.
  form->screen_phase = ScreenPhase::Playing;
  form->choices_visible = true;
  form->click_wait = ClickWait::Waiting;
  for (int n = 1; n <= 3; ++n) form->selMouseDown(n);
  EXPECT_TRUE(form->choices_active);
  EXPECT_EQ(form->click_wait, ClickWait::Idle);
  EXPECT_EQ(CountSounds("pi.wav"), 0);
}

}  // namespace
