// Program entry: the shop's window, until the player closes it.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "app/form.h"
#include "app/player_files.h"
#include "app/settings.h"
#include "platform/desktop/sdl_platform.h"
#include "platform/platform.h"

#ifndef PICOLATTE_VERSION
#define PICOLATTE_VERSION "unknown"
#endif

namespace {

constexpr const char* kHelp =
    "Usage: picolatte [--lang=en|ja] [--help] [--version]\n"
    "\n"
    "ピコラッテ: a gift-wrapping shop game. Wrap the customers' presents, choose\n"
    "seals they like and collect them all. Played with the mouse.\n"
    "\n"
    "  --lang=en  play in English (--lang=ja: Japanese, the default); the choice\n"
    "             is remembered. The English/日本語 button on the title menu and\n"
    "             the L key switch too.\n"
    "\n"
    "Keys:\n"
    "  F11        fullscreen on and off\n"
    "  L          English / Japanese\n"
    "  M          sound off and on\n"
    "  - and +    master volume down and up\n"
    "  Enter      erase all progress (asks first)\n"
    "\n"
    "Files: played from its own folder (one with a writable dat/), the game keeps\n"
    "everything there. Installed, progress (my.dat, name.dat) and the results\n"
    "sheet 成績.txt are in $XDG_DATA_HOME/picolatte (~/.local/share/picolatte);\n"
    "settings.ini and an optional SOUNDMIX.INI in $XDG_CONFIG_HOME/picolatte\n"
    "(~/.config/picolatte).\n";

std::string ExecutableDir(const char* argv0) {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) self = std::filesystem::absolute(argv0);
  return self.parent_path().string() + "/";
}

}  // namespace

int main(int argc, char** argv) {
  std::string lang_option;
  for (int i = 1; i < argc; ++i) {
    if (!std::strncmp(argv[i], "--lang=", 7)) {
      Language language;
      if (!ParseLanguage(argv[i] + 7, language)) {
        std::fprintf(stderr, "picolatte: --lang takes en or ja, not '%s'\n", argv[i] + 7);
        return 2;
      }
      lang_option = argv[i] + 7;
      continue;
    }
    if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (!std::strcmp(argv[i], "--version")) {
      std::printf("picolatte %s\n", PICOLATTE_VERSION);
      return 0;
    }
    std::fprintf(stderr, "picolatte: unknown option '%s'\nTry 'picolatte --help'.\n", argv[i]);
    return 2;
  }
  // Past a file-size limit a write should fail (the save then says the disk
  // is full) instead of the signal killing the shop with unsaved progress.
  std::signal(SIGXFSZ, SIG_IGN);
  // Closing the terminal the game was started from hangs up on it: that is
  // a close like SIGTERM (which the window turns into one), progress saved.
  std::signal(SIGHUP, [](int) { std::raise(SIGTERM); });

  const std::string exe_dir = ExecutableDir(argv[0]);
  PlayerFiles files = LocatePlayerFiles(exe_dir, CurrentHomeEnvironment());
  for (const auto& problem : files.problems) std::fprintf(stderr, "picolatte: %s\n", problem.c_str());
  SettingsLoad loaded;
  if (!files.settings.empty()) loaded = LoadSettings(files.settings);
  if (!loaded.problem.empty()) std::fprintf(stderr, "picolatte: %s\n", loaded.problem.c_str());

  auto platform = CreateSdlPlatform(exe_dir);
  if (!platform) return 1;
  platform->SetFullscreen(loaded.settings.fullscreen);
  platform->SetVolume(EffectiveVolume(loaded.settings));
  auto form = std::make_unique<TForm1>(*platform, files.paths);
  form->settings = loaded.settings;
  if (!lang_option.empty()) ParseLanguage(lang_option, form->settings.language);
  bool started = form->FormCreate();
  if (started) form->Run();
  form->FormDestroy();

  GameSettings now = form->settings;
  now.fullscreen = platform->IsFullscreen();
  std::string why;
  if (!files.settings.empty() && now != loaded.settings && !SaveSettings(files.settings, now, why))
    std::fprintf(stderr, "picolatte: settings not saved: %s\n", why.c_str());
  return started ? 0 : 1;
}
