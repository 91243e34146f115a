// A window on the headless platform, over a private copy of the built game's
// cg/ and dat/ so that no test touches the real saved progress.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/form.h"
#include "game/random.h"
#include "platform/headless/headless_platform.h"
#include "platform/platform.h"

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("picolatte_app_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(dir_ / "dat");
    std::filesystem::path dist = TEST_DIST_DIR;
    if (std::filesystem::exists(dist / "cg"))
      std::filesystem::create_directory_symlink(dist / "cg", dir_ / "cg");
    // The pristine save files as shipped, never the ones played in build/dist.
    std::filesystem::path defaults = TEST_DEFAULTS_DIR;
    for (const char* f : {"my.dat", "name.dat"})
      if (std::filesystem::exists(defaults / "dat" / f))
        std::filesystem::copy_file(defaults / "dat" / f, dir_ / "dat" / f);
    platform = std::make_unique<HeadlessPlatform>(dir_.string());
    form = std::make_unique<TForm1>(*platform);
    form->on_play_sound = [this](int channel, const std::string& name) {
      sounds.emplace_back(channel, name);
    };
    random.Install();
  }

  void TearDown() override {
    form.reset();
    platform.reset();
    std::filesystem::remove_all(dir_);
  }

  // Start-up as the program does it.
  void Create() { ASSERT_TRUE(form->FormCreate()) << form->dialog.text; }

  // Whenever the game waits with nothing left to do, the player presses
  // `key` (Escape closes any dialog) after a short look.
  void PressWhenIdle(KeyCode key) {
    platform->on_idle = [key](HeadlessPlatform& p) { p.Key(key, 100); };
  }

  int CountSounds(const std::string& name) const {
    int n = 0;
    for (const auto& s : sounds) n += s.second == name;
    return n;
  }

  std::filesystem::path dir_;
  ScriptedRandom random;
  std::unique_ptr<HeadlessPlatform> platform;
  std::unique_ptr<TForm1> form;
  std::vector<std::pair<int, std::string>> sounds;
};
