// Closing the window: input queued behind the close is dropped, waits stay
// skipped, and asking to close again ends the program at once.
#include <csignal>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "save/save_files.h"
#include "tests/app/app_fixture.h"

namespace {

class Closing : public AppTest {
 protected:
  // Start-up and the two title clicks: the title menu offers "Start".
  void ToTitleMenu() {
    std::filesystem::remove(dir_ / "dat" / "my.dat");
    Create();
    platform->Click(10, 10);
    platform->Click(10, 10);
    form->ProcessMessages(0);
    ASSERT_EQ(form->screen_phase, ScreenPhase::Menu);
    ASSERT_EQ(form->choice_text[2], "Start");
    sounds.clear();
  }
  void PushQuit() {
    InputEvent quit;
    quit.kind = InputEvent::Quit;
    platform->Push(quit);
  }
};

TEST_F(Closing, ClicksAndKeysQueuedBehindTheCloseAreDropped) {
  ToTitleMenu();
  platform->on_idle = [](HeadlessPlatform& p) {
    ADD_FAILURE() << "a step waits for a click after the close";
    p.Click(10, 10);
  };
  PushQuit();
  platform->Click(kChoiceLeft + 20, kChoiceTop[2] + 10);  // "Start"
  platform->Key(KeyCode::Enter);                          // the erase question
  form->ProcessMessages(0);
  EXPECT_TRUE(form->closing);
  EXPECT_EQ(form->click_wait, ClickWait::Closing);
  // No game was started after the save, and nothing was asked (a question
  // would have waited for an answer and reached on_idle).
  EXPECT_EQ(form->screen_phase, ScreenPhase::Menu);
  EXPECT_TRUE(form->choices_active);
  EXPECT_EQ(CountSounds("pi.wav"), 0);
  tmy saved;
  ASSERT_FALSE(ReadProgressFile((dir_ / "dat" / "my.dat").string(), saved).failed());
  EXPECT_EQ(saved.play_count, form->my.play_count);
}

TEST_F(Closing, AClickAfterTheCloseLeavesEveryWaitSkipped) {
  form->screen_phase = ScreenPhase::Playing;
  form->click_wait = ClickWait::Waiting;
  form->FormClose();
  EXPECT_EQ(form->click_wait, ClickWait::Closing);
  form->cgMouseDown(50, 60);  // a click the close did not drop
  form->AcknowledgeClick();
  EXPECT_EQ(form->click_wait, ClickWait::Closing);
  EXPECT_EQ(CountSounds("3.wav"), 0);
}

using ClosingDeathTest = Closing;

TEST_F(ClosingDeathTest, ASecondCloseEndsTheProgramAfterTheSave) {
  std::filesystem::remove(dir_ / "dat" / "my.dat");
  form->my.play_count = 9;
  form->screen_phase = ScreenPhase::Playing;
  form->created = true;  // a game under way, with progress to save
  EXPECT_EXIT(
      {
        PushQuit();
        PushQuit();
        form->ProcessMessages(0);
        std::fprintf(stderr, "still running");
      },
      ::testing::ExitedWithCode(0), "");
  tmy saved;
  ASSERT_FALSE(ReadProgressFile((dir_ / "dat" / "my.dat").string(), saved).failed());
  EXPECT_EQ(saved.play_count, 9);
}

// The desktop turns SIGTERM into a close request; once closing, a second one
// must not wait for the message loop, which a running step may not reach.
TEST_F(ClosingDeathTest, TerminationWhileClosingEndsTheProgram) {
  EXPECT_EXIT(
      {
        std::signal(SIGTERM, [](int) {});  // a close request, as the desktop makes it
        form->FormClose();
        std::raise(SIGTERM);
        std::fprintf(stderr, "still running");
        std::exit(0);
      },
      ::testing::KilledBySignal(SIGTERM), "");
}

// The save at closing fails (its folder is gone): the board says so and
// answers OK, Enter and Escape, and then the message loop ends as it should.
TEST_F(ClosingDeathTest, AFailedSaveAtClosingIsAnsweredAndTheGameEnds) {
  ToTitleMenu();
  std::filesystem::remove_all(dir_ / "dat");
  std::vector<std::vector<InputEvent>> answers(3);
  answers[0].push_back({InputEvent::KeyDown, 0, 0, 1, KeyCode::Enter});
  answers[1].push_back({InputEvent::KeyDown, 0, 0, 1, KeyCode::Escape});
  for (auto kind : {InputEvent::MouseDown, InputEvent::MouseUp})
    answers[2].push_back({kind, kDialogOkButton.left + 5, kDialogOkButton.top + 5});
  for (const auto& answer : answers) {
    EXPECT_EXIT(
        {
          PushQuit();
          for (const InputEvent& event : answer) platform->Push(event, 300);
          platform->on_idle = [](HeadlessPlatform&) {};  // nothing more: a board left up ends in a quit
          platform->idle_quit_ms = 5000;
          form->Run();
          std::exit(form->dialog.kind == DialogKind::Error && form->dialog.answer == kDialogNo ? 7 : 1);
        },
        ::testing::ExitedWithCode(7), "ﾌｧｲﾙが見つかりません");
  }
}

}  // namespace
