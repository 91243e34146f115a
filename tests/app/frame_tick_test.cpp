// The 20 ms timer: frame pacing, the caption readout, the clamp after each
// rendered frame, and click waits that sleep instead of spinning.
#include "platform/headless/headless_platform.h"
#include "save/save_files.h"
#include "tests/app/app_fixture.h"

namespace {

class FrameTick : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    form->cg.SetSize(kSceneWidth, kSceneHeight);
    form->bak.SetSize(kSceneWidth, kSceneHeight);
    form->frame_interval_ms = 90;
    form->click_wait = ClickWait::Idle;
  }
  // One readout with `frames` counted since the last one, and no frame.
  int Readout(int frames) {
    platform->clock_ms += 1000;
    form->next_frame_time = platform->clock_ms + 100000;
    form->next_readout_time = 0;
    form->frames_this_second = frames;
    form->Timer1Timer();
    return form->frame_interval_ms;
  }
};

TEST_F(FrameTick, FirstTickRunsAFrameAndAReadoutAtOnce) {
  platform->clock_ms = 5;
  form->Timer1Timer();
  EXPECT_EQ(form->frame_counter, 1);
  EXPECT_EQ(platform->caption, "FLM:1 1F@90ms.");
  EXPECT_EQ(form->frames_this_second, 0);
  EXPECT_EQ(form->next_frame_time, 95u);
  EXPECT_EQ(form->next_readout_time, 1005u);
}

TEST_F(FrameTick, PaceAdaptsTowardTenFramesASecond) {
  EXPECT_EQ(Readout(9), 85);
  EXPECT_EQ(Readout(10), 85);
  EXPECT_EQ(Readout(11), 90);
  EXPECT_EQ(Readout(40), 95);
  form->frame_interval_ms = 3;
  EXPECT_EQ(Readout(2), 0);  // never below 0
  EXPECT_EQ(Readout(0), 0);
}

TEST_F(FrameTick, FrameCounterWrapsAfter999) {
  form->frame_counter = 998;
  form->FrameStep();
  EXPECT_EQ(form->frame_counter, 999);
  form->FrameStep();
  EXPECT_EQ(form->frame_counter, 0);
}

TEST_F(FrameTick, NoFrameAndNoClampOnTheTitle) {
  for (ScreenPhase phase : {ScreenPhase::TitlePicture, ScreenPhase::TitleScreen}) {
    form->screen_phase = phase;
    form->my.money = -5;
    form->my.satisfaction = 130;
    form->cg.SetPixel(7, 7, 0x123456);  // what the title painted stays
    form->FrameStep();
    EXPECT_EQ(form->my.money, -5);
    EXPECT_EQ(form->my.satisfaction, 130);
    EXPECT_EQ(form->cg.Pixel(7, 7), 0x123456u);
    EXPECT_EQ(platform->last_frame, &form->cg);
  }
}

TEST_F(FrameTick, ClampKeepsEveryBoundInItsOrder) {
  form->my.satisfaction = 101;
  form->my.money = 1000000000;
  form->my.day = -3;
  form->my.clerk_level = 2;
  form->my.hours_to_closing = 11;
  form->ClampState();
  EXPECT_EQ(form->my.satisfaction, 100);
  EXPECT_EQ(form->my.money, 999999999);
  EXPECT_EQ(form->my.day, 0);
  EXPECT_EQ(form->my.hours_to_closing, 10);
  form->my.satisfaction = -1;
  form->my.money = -1;
  form->my.hours_to_closing = -2;
  form->ClampState();
  EXPECT_EQ(form->my.satisfaction, 0);
  EXPECT_EQ(form->my.money, 0);
  EXPECT_EQ(form->my.hours_to_closing, 0);
}

TEST_F(FrameTick, ARenderedFrameClampsTheMoney) {
  form->screen_phase = ScreenPhase::Menu;
  form->my.money = 1999999999;
  form->FrameStep();
  EXPECT_EQ(form->my.money, 999999999);
  EXPECT_EQ(platform->last_frame, &form->cg);
}

TEST_F(FrameTick, AClickWaitSleepsUntilTheNextTick) {
  // Count how often the wait asks for events while nobody clicks for a
  // second of game time: a spinning wait would ask thousands of times.
  int asks = 0;
  platform->on_idle = [&](HeadlessPlatform& p) {
    ++asks;
    if (p.clock_ms >= 1000) p.Click(10, 10);
  };
  form->screen_phase = ScreenPhase::Playing;
  form->WaitForClick();
  EXPECT_EQ(form->click_wait, ClickWait::Idle);
  EXPECT_GE(platform->clock_ms, 1000u);
  // It wakes for the frames (about ten a second) and sleeps through the
  // timer ticks in between that have nothing to do.
  EXPECT_LE(asks, 20);
  EXPECT_GE(asks, 8);
  // The timer kept running during the wait: about ten frames in that second.
  EXPECT_GE(form->frame_counter, 8);
  EXPECT_LE(form->frame_counter, 14);
}

TEST_F(FrameTick, ClosingDuringAWaitEndsItAndSilencesTheRest) {
  // No saved progress yet: what is there after the close was written by it.
  std::filesystem::remove(dir_ / "dat" / "my.dat");
  form->my.play_count = 42;
  form->screen_phase = ScreenPhase::Playing;
  form->created = true;          // a game under way, with progress to save
  platform->idle_quit_ms = 500;  // the player closes the window instead of clicking
  form->WaitForClick();
  EXPECT_EQ(form->click_wait, ClickWait::Closing);
  EXPECT_TRUE(form->closing);
  size_t before = sounds.size();
  form->PrintMessage("もう誰にも見えない");
  form->PrintColorMessage("これも", Ink::Red);
  form->WaitForClick();  // returns at once
  EXPECT_EQ(sounds.size(), before);
  for (const FloatingText& e : form->effects) EXPECT_NE(e.text, "もう誰にも見えない");
  // Progress was written on the way out.
  tmy saved;
  ASSERT_FALSE(ReadProgressFile((dir_ / "dat" / "my.dat").string(), saved).failed());
  EXPECT_EQ(saved.play_count, 42);
}

}  // namespace
