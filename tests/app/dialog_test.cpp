// The game's own dialogs: the Enter key's erase question with each of its
// answers, the error board, and closing the window while one is up.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/headless/headless_platform.h"
#include "tests/app/app_fixture.h"

namespace {

InputEvent KeyDown(KeyCode key, bool repeat = false) {
  InputEvent e;
  e.kind = InputEvent::KeyDown;
  e.key = key;
  e.repeat = repeat;
  return e;
}

InputEvent Mouse(InputEvent::Kind kind, int x, int y, int button = 1) {
  InputEvent e;
  e.kind = kind;
  e.x = x;
  e.y = y;
  e.button = button;
  return e;
}

int CentreX(const DialogRect& r) {
  return r.left + r.width / 2;
}
int CentreY(const DialogRect& r) {
  return r.top + r.height / 2;
}

// What the player saw the first time the game waited with nothing to do.
struct Snapshot {
  bool taken = false;
  bool open = false;
  std::string text;
  Bitmap frame;
  int frame_counter = 0;
};

class DialogTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Create();
    form->my.play_count = 7;
    form->my.seal_collected[101] = 1;
  }

  // Enter asks; the script answers. True when all progress was erased.
  bool AskErase() {
    form->HandleEvent(KeyDown(KeyCode::Enter));
    return form->my.play_count == 0;
  }

  // Looks at the screen once the script has run dry, then does `then`.
  void SnapshotWhenIdle(Snapshot& shot, std::function<void(HeadlessPlatform&)> then) {
    platform->on_idle = [this, &shot, then](HeadlessPlatform& p) {
      if (shot.taken) return;
      shot.taken = true;
      shot.open = form->dialog.open;
      shot.text = form->dialog.text;
      if (p.last_frame) shot.frame = *p.last_frame;
      shot.frame_counter = form->frame_counter;
      then(p);
    };
  }

  static Rgb Dimmed(Rgb c) { return (c >> 1) & 0x7F7F7F; }
};

TEST_F(DialogTest, TheEraseQuestionIsDrawnOverTheRunningScene) {
  Bitmap scene = form->cg;
  int frames = form->frame_counter;
  Snapshot shot;
  platform->Move(5, 5, 1000);  // a second passes with the question up
  SnapshotWhenIdle(shot, [](HeadlessPlatform& p) { p.Key(KeyCode::Escape); });
  EXPECT_FALSE(AskErase());
  ASSERT_TRUE(shot.taken);
  EXPECT_TRUE(shot.open);
  EXPECT_NE(shot.text.find("【!!】全てのゲームデータを完全初期化しますがよろしいですか？"),
            std::string::npos);
  EXPECT_NE(shot.text.find("\n(※この初期化は、クリア回数やエンディングデータなど全てを初期化するものです。)"),
            std::string::npos);
  EXPECT_EQ(CountSounds("1.wav"), 1);
  // The frame tick went on behind the question.
  EXPECT_GE(shot.frame_counter - frames, 5);

  // The scene dimmed around a plum board, "いいえ" ringed as the default.
  ASSERT_EQ(shot.frame.Width(), kSceneWidth);
  // Every pixel around the board and its shadow (4 down and right), edges
  // included, is the scene dimmed; the shadow is black.
  const PanelRect shadow = {kDialogBoard.left + 4, kDialogBoard.top + 4, kDialogBoard.width, kDialogBoard.height};
  int bright = 0, shade = 0;
  for (int y = 0; y < kSceneHeight; ++y)
    for (int x = 0; x < kSceneWidth; ++x) {
      if (kDialogBoard.Contains(x, y)) continue;
      if (shadow.Contains(x, y))
        shade += shot.frame.Pixel(x, y) != 0;
      else
        bright += shot.frame.Pixel(x, y) != Dimmed(scene.Pixel(x, y));
    }
  EXPECT_EQ(shade, 0);
  EXPECT_EQ(bright, 0);
  EXPECT_EQ(shot.frame.Pixel(kDialogBoard.left + 5, kDialogBoard.Bottom() - 8), 0x291D28u);
  EXPECT_EQ(shot.frame.Pixel(kDialogNoButton.left - 2, kDialogNoButton.top - 2), 0xE7E3C5u);
  EXPECT_NE(shot.frame.Pixel(kDialogYesButton.left - 2, kDialogYesButton.top - 2), 0xE7E3C5u);
  // The title in white, in the middle of the strip along the board's top.
  int first = -1, last = -1, left = kSceneWidth;
  for (int y = kDialogBoard.top; y < kDialogBoard.top + 20; ++y)
    for (int x = kDialogBoard.left + 2; x < kDialogBoard.Right() - 2; ++x)
      if (shot.frame.Pixel(x, y) == 0xFFFFFFu) {
        if (first < 0) first = y;
        last = y;
        left = std::min(left, x);
      }
  EXPECT_EQ(first - kDialogBoard.top, 5);  // five rows free above the ink
  EXPECT_EQ(last - kDialogBoard.top, 14);  // and five below it
  EXPECT_EQ(left - kDialogBoard.left, 10);
  // Japanese text on the board: many light pixels in the text area.
  int light = 0;
  for (int y = kDialogBoard.top + 25; y < kDialogYesButton.top - 10; ++y)
    for (int x = kDialogBoard.left + 10; x < kDialogBoard.Right() - 10; ++x)
      light += (shot.frame.Pixel(x, y) & 0xFF) > 0x90;
  EXPECT_GT(light, 400);
  // Each button shows the key that answers it: the white caption is as wide
  // as "はい(Y)" and "いいえ(N)".
  Bitmap measure;
  measure.font = {kGameFace, 10, true, 0xFFFFFF};
  for (auto [r, caption] :
       {std::pair{kDialogYesButton, "はい(Y)"}, std::pair{kDialogNoButton, "いいえ(N)"}}) {
    int ink_left = kSceneWidth, ink_right = -1;
    for (int y = r.top + 2; y < r.Bottom() - 2; ++y)
      for (int x = r.left + 2; x < r.Right() - 2; ++x)
        if (shot.frame.Pixel(x, y) == 0xFFFFFFu)
          ink_left = std::min(ink_left, x), ink_right = std::max(ink_right, x);
    EXPECT_NEAR(ink_right - ink_left + 1, measure.TextWidth(caption), 3) << caption;
  }

  // Afterwards the plain scene is shown again, and it was never drawn on.
  EXPECT_FALSE(form->dialog.open);
  EXPECT_EQ(platform->last_frame, &form->cg);
  for (int y = 0; y < kSceneHeight; y += 7)
    for (int x = 0; x < kSceneWidth; x += 7)
      ASSERT_EQ(form->cg.Pixel(x, y), scene.Pixel(x, y)) << x << "," << y;
}

TEST_F(DialogTest, ButtonsLightUpUnderTheMouse) {
  Snapshot shot;
  platform->Move(CentreX(kDialogYesButton), CentreY(kDialogYesButton), 200);
  SnapshotWhenIdle(shot, [](HeadlessPlatform& p) { p.Key(KeyCode::Escape); });
  EXPECT_FALSE(AskErase());
  ASSERT_TRUE(shot.open);
  Rgb yes_face = shot.frame.Pixel(kDialogYesButton.left + 3, kDialogYesButton.top + 3);
  Rgb no_face = shot.frame.Pixel(kDialogNoButton.left + 3, kDialogNoButton.top + 3);
  EXPECT_NE(yes_face, no_face);
  EXPECT_GT(yes_face & 0xFF, no_face & 0xFF);  // the lit one is brighter
  EXPECT_EQ(form->dialog.hovered, kYesButton);
}

TEST_F(DialogTest, OnlyAClickOnYesOrTheYKeyErases) {
  auto ask_with = [&](std::function<void()> script) {
    form->my.play_count = 7;
    script();
    return AskErase();
  };
  auto click = [&](const DialogRect& r) { platform->Click(CentreX(r), CentreY(r), 300); };
  EXPECT_FALSE(ask_with([&] { click(kDialogNoButton); }));
  EXPECT_FALSE(ask_with([&] { platform->Key(KeyCode::Escape, 300); }));
  // N answers no at once (a board left open would only close with the window).
  EXPECT_FALSE(ask_with([&] { platform->Key(KeyCode::N, 300); }));
  EXPECT_FALSE(form->closing);
  // Enter is the default button's key: no.
  EXPECT_FALSE(ask_with([&] { platform->Key(KeyCode::Enter, 300); }));
  // A held Enter repeating, a right click on "はい" and a press on "はい"
  // released beside it answer nothing; the Escape after them says no.
  EXPECT_FALSE(ask_with([&] {
    platform->Push(KeyDown(KeyCode::Enter, true), 300);
    platform->Push(Mouse(InputEvent::MouseDown, CentreX(kDialogYesButton), CentreY(kDialogYesButton), 3),
                   100);
    platform->Push(Mouse(InputEvent::MouseUp, CentreX(kDialogYesButton), CentreY(kDialogYesButton), 3), 50);
    platform->Push(Mouse(InputEvent::MouseDown, CentreX(kDialogYesButton), CentreY(kDialogYesButton)), 100);
    platform->Push(Mouse(InputEvent::MouseUp, kDialogYesButton.Right() + 5, CentreY(kDialogYesButton)), 50);
    platform->Push(Mouse(InputEvent::MouseUp, CentreX(kDialogYesButton), CentreY(kDialogYesButton)), 50);
    platform->Key(KeyCode::Other, 100);
    platform->Key(KeyCode::Escape, 100);
  }));
  EXPECT_EQ(form->my.seal_collected[101], 1);
  EXPECT_EQ(CountSounds("1.wav"), 5);

  EXPECT_TRUE(ask_with([&] { click(kDialogYesButton); }));
  EXPECT_EQ(form->my.seal_collected[101], 0);
  EXPECT_TRUE(ask_with([&] { platform->Key(KeyCode::Y, 300); }));
  // No input reached the scene behind the board.
  EXPECT_EQ(form->screen_phase, ScreenPhase::TitlePicture);
}

TEST_F(DialogTest, ClosingTheWindowAnswersNoAndStillCloses) {
  std::filesystem::remove(dir_ / "dat" / "my.dat");
  InputEvent quit;
  quit.kind = InputEvent::Quit;
  // The question comes up inside a waiting step; the close ends both.
  platform->Key(KeyCode::Enter, 100);
  platform->Push(quit, 300);
  form->WaitForClick();
  EXPECT_EQ(form->my.play_count, 7);
  EXPECT_TRUE(form->closing);
  EXPECT_EQ(form->click_wait, ClickWait::Closing);
  EXPECT_FALSE(form->dialog.open);
  // The progress was saved on the way out.
  std::ifstream saved(dir_ / "dat" / "my.dat");
  int play_count = -1;
  for (int line = 1; line <= 1101 && saved >> play_count; ++line) {
  }
  EXPECT_EQ(play_count, 7);
  // Nothing asks once the window is closing.
  EXPECT_FALSE(AskErase());
  EXPECT_FALSE(form->dialog.open);
}

class ErrorBoardTest : public AppTest {
 protected:
  // The pictures again, but without `missing`.
  void HidePicture(const std::string& missing) {
    std::filesystem::path real = std::filesystem::read_symlink(dir_ / "cg");
    std::filesystem::remove(dir_ / "cg");
    std::filesystem::create_directory(dir_ / "cg");
    for (const auto& entry : std::filesystem::directory_iterator(real))
      if (entry.path().filename() != missing)
        std::filesystem::create_symlink(entry.path(), dir_ / "cg" / entry.path().filename());
  }
  std::string Bytes(const std::filesystem::path& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(ErrorBoardTest, AMissingStartUpPictureIsShownAndLogged) {
  if (!std::filesystem::exists(dir_ / "cg" / "00.bmp")) GTEST_SKIP() << "the pictures are not built";
  HidePicture("00.bmp");
  Snapshot shot;
  // Y does not close an error; the first look is taken after it.
  platform->Key(KeyCode::Y, 200);
  platform->on_idle = [&](HeadlessPlatform& p) {
    if (shot.taken) return;
    shot.taken = true;
    shot.open = form->dialog.open;
    if (p.last_frame) shot.frame = *p.last_frame;
    p.Click(CentreX(kDialogOkButton), CentreY(kDialogOkButton), 200);
  };
  testing::internal::CaptureStderr();
  EXPECT_FALSE(form->FormCreate());
  std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("picolatte: 絵が読めません: " + (dir_ / "cg" / "00.bmp").string() + "\n"),
            std::string::npos)
      << log;
  ASSERT_TRUE(shot.open);
  EXPECT_EQ(form->dialog.kind, DialogKind::Error);
  // The board on black (no scene yet), with its one button.
  EXPECT_EQ(shot.frame.Pixel(5, 5), 0x000000u);
  EXPECT_EQ(shot.frame.Pixel(kDialogBoard.left + 5, kDialogBoard.Bottom() - 8), 0x291D28u);
  EXPECT_NE(shot.frame.Pixel(kDialogOkButton.left + 3, kDialogOkButton.top + 3), 0x291D28u);
  EXPECT_EQ(DialogButtonAt(form->dialog, CentreX(kDialogYesButton), CentreY(kDialogYesButton)), kNoButton);
}

TEST_F(ErrorBoardTest, ClosingDuringAStartUpErrorSavesNothing) {
  std::ofstream(dir_ / "dat" / "my.dat", std::ios::binary | std::ios::trunc) << "1\r\n-\r\n";
  InputEvent quit;
  quit.kind = InputEvent::Quit;
  platform->Push(quit, 300);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(form->FormCreate());
  EXPECT_NE(testing::internal::GetCapturedStderr().find("入力値が数値ではありません"), std::string::npos);
  EXPECT_TRUE(form->closing);
  EXPECT_EQ(Bytes(dir_ / "dat" / "my.dat"), "1\r\n-\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "成績.txt"));
}

}  // namespace
