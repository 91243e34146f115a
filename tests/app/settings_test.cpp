// settings.ini and the M, - and + keys.
#include "app/settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
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

TEST(Settings, RejectsWhatIsNotASetting) {
  for (const char* text : {"Volume=loud\n", "Volume=105\n", "Volume=-10\n", "Volume=55\n", "Muted=2\n",
                           "Fullscreen=\n", "just words\n", "Volume=50x\n"}) {
    GameSettings s{true, 40, true};
    std::string why;
    EXPECT_FALSE(ParseSettings(text, s, why)) << text;
    EXPECT_NE(why, "") << text;
    EXPECT_EQ(s, (GameSettings{true, 40, true})) << "a bad file must not half-apply: " << text;
  }
}

TEST(Settings, CorruptFileIsReportedOnceAndReplacedByDefaults) {
  fs::path path = TempSettings("corrupt");
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << "Volume=60\n\x01\x02garbage\xff\n";
  SettingsLoad first = LoadSettings(path.string());
  EXPECT_NE(first.problem.find("line 2"), std::string::npos) << first.problem;
  EXPECT_EQ(first.settings, GameSettings{});
  EXPECT_EQ(ReadAll(path), FormatSettings(GameSettings{}));
  SettingsLoad second = LoadSettings(path.string());
  EXPECT_EQ(second.problem, "");
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

TEST_F(VolumeKeys, ChoiceFloatsOnTheSceneWithoutAskingAnything) {
  form->settings.volume = 50;
  form->VolumeKey(KeyCode::Plus);
  int i = form->effect_next;
  EXPECT_EQ(form->effect_text[i], "音量 60%");
  EXPECT_EQ(form->effect_age[i], 1);
  form->VolumeKey(KeyCode::M);
  EXPECT_EQ(form->effect_text[form->effect_next], "消音");
}

TEST_F(VolumeKeys, OtherKeysAreLeftToTheGame) {
  for (KeyCode key : {KeyCode::Enter, KeyCode::Escape, KeyCode::Up, KeyCode::Other}) {
    EXPECT_FALSE(form->VolumeKey(key));
  }
  EXPECT_EQ(platform->volume, 100);
  EXPECT_EQ(form->effect_age[form->effect_next], 0);
}

}  // namespace
