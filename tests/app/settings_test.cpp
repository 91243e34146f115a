// settings.ini and the M, - and + keys.
#include "app/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "tests/app/app_fixture.h"
#include "tests/app/read_all.h"

namespace fs = std::filesystem;

namespace {

fs::path TempSettings(const char* name) {
  fs::path dir = fs::temp_directory_path() / ("picolatte_settings_" + std::to_string(getpid()));
  fs::remove_all(dir / name);
  return dir / name / "picolatte" / "settings.ini";
}

TEST(Settings, SavedChoicesComeBackAndTheFolderIsMade) {
  fs::path path = TempSettings("roundtrip");
  GameSettings chosen{true, 30, true};
  std::string why;
  ASSERT_TRUE(SaveSettings(path.string(), chosen, why)) << why;
  SettingsLoad loaded = LoadSettings(path.string());
  EXPECT_EQ(loaded.problem, "");
  EXPECT_EQ(loaded.settings, chosen);
  EXPECT_FALSE(fs::exists(path.string() + ".new"));
}

TEST(Settings, MissingFileGivesDefaultsQuietly) {
  SettingsLoad loaded = LoadSettings(TempSettings("missing").string());
  EXPECT_EQ(loaded.problem, "");
  EXPECT_EQ(loaded.settings, GameSettings{});
}

TEST(Settings, ParsesBlanksCommentsAndUnknownKeys) {
  GameSettings s;
  std::string why;
  ASSERT_TRUE(
      ParseSettings("; note\r\n\r\n[picolatte]\r\n Volume = 70 \r\nLater=abc\r\nFullscreen=1\r\n", s, why))
      << why;
  EXPECT_EQ(s, (GameSettings{true, 70, false}));
}

// A bad line costs only the setting it held; the others stay as written.
TEST(Settings, ABadValueResetsOnlyThatValue) {
  const GameSettings good{true, 40, true};
  for (std::string bad : {"Volume=loud", "Volume=105", "Volume=-10", "Volume=55", "Volume=50x", "Muted=2",
                          "Fullscreen=", "just words"}) {
    std::string text;
    for (std::string line : {"Fullscreen=1", "Volume=40", "Muted=1"})
      if (line.substr(0, line.find('=')) != bad.substr(0, bad.find('='))) text += line + "\n";
    text += bad + "\n";
    GameSettings s;
    std::string why;
    EXPECT_FALSE(ParseSettings(text, s, why)) << bad;
    EXPECT_NE(why.find("line"), std::string::npos) << bad << ": " << why;
    GameSettings expected = good;
    if (bad.rfind("Volume", 0) == 0) expected.volume = GameSettings{}.volume;
    if (bad.rfind("Muted", 0) == 0) expected.muted = false;
    if (bad.rfind("Fullscreen", 0) == 0) expected.fullscreen = false;
    EXPECT_EQ(s, expected) << bad;
  }
}

TEST(Settings, CorruptLineIsReportedOnceAndTheRestKept) {
  fs::path path = TempSettings("corrupt");
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << "Volume=60\n\x01\x02garbage\xff\n";
  SettingsLoad first = LoadSettings(path.string());
  EXPECT_NE(first.problem.find("line 2"), std::string::npos) << first.problem;
  EXPECT_EQ(first.settings, (GameSettings{false, 60, false}));
  EXPECT_EQ(ReadAll(path), FormatSettings(first.settings));
  SettingsLoad second = LoadSettings(path.string());
  EXPECT_EQ(second.problem, "");
  EXPECT_EQ(second.settings, first.settings);
}

// What may stand in the file's place: each is refused at once with the
// defaults (no hang on a FIFO, no gigabytes read), and saving never writes
// into it nor through a link planted beside it.
TEST(Settings, HostileFilesAreRefusedAndNeverWrittenThrough) {
  fs::path path = TempSettings("hostile");
  fs::create_directories(path.parent_path());
  const fs::path victim = path.parent_path() / "my.dat";
  std::ofstream(victim, std::ios::binary) << "progress\r\n";
  struct Case {
    const char* what;
    std::function<void()> make;
    const char* problem;
  };
  const Case cases[] = {
      {"FIFO", [&] { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }, "not a plain file"},
      {"link to /dev/zero", [&] { fs::create_symlink("/dev/zero", path); }, "not a plain file"},
      {"3 GB sparse file",
       [&] {
         std::ofstream(path) << "";
         fs::resize_file(path, 3ull << 30);
       },
       "larger than"},
      {"folder", [&] { fs::create_directory(path); }, "a folder"},
  };
  for (const Case& c : cases) {
    fs::remove_all(path);
    c.make();
    SettingsLoad loaded = LoadSettings(path.string());
    EXPECT_EQ(loaded.settings, GameSettings{}) << c.what;
    EXPECT_NE(loaded.problem.find(c.problem), std::string::npos) << c.what << ": " << loaded.problem;
    std::string why;
    if (!fs::is_regular_file(path)) {
      const fs::file_type before = fs::symlink_status(path).type();
      EXPECT_FALSE(SaveSettings(path.string(), GameSettings{true, 30, true}, why)) << c.what;
      EXPECT_EQ(fs::symlink_status(path).type(), before) << c.what << " was replaced";
    }
  }
  // The old writer's fixed temporary name, planted as a link to the progress.
  fs::remove_all(path);
  fs::create_symlink(victim, path.string() + ".new");
  std::string why;
  ASSERT_TRUE(SaveSettings(path.string(), GameSettings{true, 30, true}, why)) << why;
  EXPECT_EQ(ReadAll(victim), "progress\r\n");
  EXPECT_EQ(LoadSettings(path.string()).settings, (GameSettings{true, 30, true}));
}

TEST(Settings, UnwritableFolderFailsWithAReason) {
  fs::path blocker = TempSettings("blocked").parent_path().parent_path() / "file";
  fs::create_directories(blocker.parent_path());
  std::ofstream(blocker) << "";
  std::string why;
  EXPECT_FALSE(SaveSettings((blocker / "settings.ini").string(), GameSettings{}, why));
  EXPECT_NE(why, "");
}

using VolumeKeys = AppTest;

TEST_F(VolumeKeys, StepsStopAtTheEndsAndReachThePlatform) {
  form->settings.volume = 20;
  form->VolumeKey(KeyCode::Minus);
  EXPECT_EQ(form->settings.volume, 10);
  EXPECT_EQ(platform->volume, 10);
  form->VolumeKey(KeyCode::Minus);
  form->VolumeKey(KeyCode::Minus);
  EXPECT_EQ(form->settings.volume, 0);
  EXPECT_EQ(platform->volume, 0);
  for (int i = 0; i < 12; ++i) form->VolumeKey(KeyCode::Plus);
  EXPECT_EQ(form->settings.volume, 100);
  EXPECT_EQ(platform->volume, 100);
}

TEST_F(VolumeKeys, MuteKeepsTheVolumeAndAStepUnmutes) {
  form->settings.volume = 60;
  form->VolumeKey(KeyCode::M);
  EXPECT_TRUE(form->settings.muted);
  EXPECT_EQ(platform->volume, 0);
  EXPECT_EQ(form->settings.volume, 60);
  form->VolumeKey(KeyCode::M);
  EXPECT_FALSE(form->settings.muted);
  EXPECT_EQ(platform->volume, 60);
  form->VolumeKey(KeyCode::M);
  form->VolumeKey(KeyCode::Plus);
  EXPECT_FALSE(form->settings.muted);
  EXPECT_EQ(platform->volume, 70);
}

// The notice as the player sees it: the box of the presented frame.
Bitmap NoticeShown(const HeadlessPlatform& platform) {
  const PanelRect& r = kVolumeNoticeBox;
  Bitmap box(r.width, r.height);
  box.CopyRect(0, 0, r.width, r.height, *platform.last_frame, r.left, r.top, r.Right(), r.Bottom());
  return box;
}

bool SamePixels(const Bitmap& a, const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

TEST_F(VolumeKeys, NoticeShowsAtOnceOverWhateverIsShownAndFades) {
  // On the title picture, where no frame is composed: shown with the press.
  form->cg.SetSize(kSceneWidth, kSceneHeight);
  form->cg.brush_color = 0xFFFFFF;
  form->cg.FillRect(0, 0, kSceneWidth, kSceneHeight);
  form->settings.volume = 50;
  platform->clock_ms = 10000;
  ASSERT_TRUE(form->VolumeKey(KeyCode::Plus));
  ASSERT_NE(platform->last_frame, &form->cg);
  Bitmap on_white = NoticeShown(*platform);
  EXPECT_EQ(on_white.Pixel(0, 0), 0xE7E3C5u);  // its frame
  EXPECT_EQ(on_white.Pixel(3, 3), 0x1A1219u);  // its dark ground
  EXPECT_EQ(form->cg.Pixel(kVolumeNoticeBox.left + 3, kVolumeNoticeBox.top + 3), 0xFFFFFFu);
  int ink = 0;
  for (int y = 0; y < on_white.Height(); ++y)
    for (int x = 0; x < on_white.Width(); ++x) ink += on_white.Pixel(x, y) == 0xFFFFFFu;
  EXPECT_GT(ink, 20);  // "音量 60%" in white

  // Opaque, so it reads the same on pale pink: the light text on pink was the trouble.
  form->cg.brush_color = 0xFFDDEE;
  form->cg.FillRect(0, 0, kSceneWidth, kSceneHeight);
  form->settings.volume = 50;
  form->VolumeKey(KeyCode::Plus);
  EXPECT_TRUE(SamePixels(NoticeShown(*platform), on_white));

  // Four presses leave one notice, the last one: the same as one press to 90.
  for (int i = 0; i < 3; ++i) form->VolumeKey(KeyCode::Plus);
  Bitmap four = NoticeShown(*platform);
  form->settings.volume = 80;
  form->VolumeKey(KeyCode::Plus);
  EXPECT_TRUE(SamePixels(NoticeShown(*platform), four));
  EXPECT_FALSE(SamePixels(four, on_white));
  form->VolumeKey(KeyCode::M);
  EXPECT_FALSE(SamePixels(NoticeShown(*platform), four));  // 消音, no lit cells

  // Whole for a second, half gone a little later, then only the scene.
  platform->clock_ms += 1000;
  form->FrameStep();
  EXPECT_EQ(platform->last_frame->Pixel(kVolumeNoticeBox.left + 3, kVolumeNoticeBox.top + 3), 0x1A1219u);
  platform->clock_ms += 200;
  form->FrameStep();
  Rgb fading = platform->last_frame->Pixel(kVolumeNoticeBox.left + 3, kVolumeNoticeBox.top + 3);
  EXPECT_NE(fading, 0x1A1219u);
  EXPECT_NE(fading, 0xFFDDEEu);
  platform->clock_ms += 200;
  form->FrameStep();
  EXPECT_EQ(platform->last_frame, &form->cg);
  // No message line was written for it.
  EXPECT_EQ(form->effects[form->effect_next].age, 0);
}

// At every step of the volume the bar lights one cell in ten of it, the cells
// centred in the notice's height; the notice fades without a jump from whole
// at one second to gone at 1.4 s.
TEST_F(VolumeKeys, TheBarShowsEachLevelAndTheNoticeFadesSmoothly) {
  constexpr Rgb kLit = 0xFF80C0, kUnlit = 0x4A3547;
  form->settings.volume = 0;
  for (int level = 1; level <= 10; ++level) {
    form->VolumeKey(KeyCode::Plus);
    Bitmap notice = NoticeShown(*platform);
    int lit = 0, top = notice.Height(), bottom = -1;
    for (int y = 0; y < notice.Height(); ++y)
      for (int x = 0; x < notice.Width(); ++x) {
        Rgb p = notice.Pixel(x, y);
        lit += p == kLit;
        if (p == kLit || p == kUnlit) top = std::min(top, y), bottom = std::max(bottom, y);
      }
    EXPECT_EQ(lit, level * 4 * 8) << "level " << level;
    EXPECT_EQ(top, notice.Height() - 1 - bottom) << "level " << level;
  }
  const uint64_t pressed = platform->clock_ms;
  int last = 256;
  for (int ms = 0; ms <= 1500; ++ms) {
    platform->clock_ms = pressed + ms;
    int alpha = form->VolumeNoticeAlpha();
    if (ms <= 1000) {
      EXPECT_EQ(alpha, 256) << ms;
    }
    if (ms >= 1400) {
      EXPECT_EQ(alpha, 0) << ms;
    }
    EXPECT_LE(alpha, last) << ms;
    EXPECT_LE(last - alpha, 1) << ms;
    last = alpha;
  }
}

TEST_F(VolumeKeys, OtherKeysAreLeftToTheGame) {
  for (KeyCode key : {KeyCode::Enter, KeyCode::Escape, KeyCode::Up, KeyCode::Other}) {
    EXPECT_FALSE(form->VolumeKey(key));
  }
  EXPECT_EQ(platform->volume, 100);
  EXPECT_EQ(form->effects[form->effect_next].age, 0);
}

}  // namespace
