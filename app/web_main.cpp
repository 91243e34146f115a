// Program entry in the browser: the shop on the page's canvas. The shipped
// pictures and sounds are packed under /cg and /dat; the player's progress,
// name list and results sheet live in /save, which the page keeps in the
// browser's storage.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/form.h"
#include "app/page_arguments.h"
#include "app/paths.h"
#include "game/random.h"
#include "platform/web/web_platform.h"
#include "save/save_files.h"

namespace {

constexpr const char* kSaveDir = "/save/";

GamePaths WebPaths() {
  GamePaths paths = PortablePaths("/");
  paths.save = kSaveDir;
  paths.sheet = std::string(kSaveDir) + kResultsSheetName;
  return paths;
}

// The first start brings the shipped progress and name list into storage.
void SeedSaveFolder(const GamePaths& paths) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(paths.save, ec);
  for (const char* name : {kMyDatName, kNameDatName}) {
    fs::path target = fs::path(paths.save) / name;
    if (!fs::exists(target, ec)) fs::copy_file(fs::path(paths.dat) / name, target, ec);
  }
  CreateDeliveredSaveFiles(paths.save);
}

// A my.dat the player chose replaces the progress when the game can read
// it; anything else is refused and the progress stays. The page reloads
// after a success so the game starts from the new progress.
bool ImportProgress(const std::string& path) {
  std::string bytes;
  bool missing = false;
  if (ReadWholeFile(path, bytes, missing).failed() || bytes.empty()) return false;
  tmy my{};
  if (ParseProgress(bytes, my).failed()) return false;
  return !WriteFileAtomic(std::string(kSaveDir) + kMyDatName, bytes).failed();
}

// What the player has done goes to the player's files as soon as it
// changed, not only when the page is left: a browser may end a hidden or
// closing page at any moment. `kept` is what was last written.
void KeepProgress(TForm1& form, tmy& kept, bool may_ask) {
  if (SameSavedProgress(form.my, kept)) return;
  kept = form.my;  // before saving: a failure's board waits in here again
  if (may_ask) {
    form.SaveProgress();  // a failure is told on the game's board
  } else {
    FileError error =
        SaveMergedProgress(form.paths.save + kMyDatName, form.paths.sheet, form.my, form.saved_progress);
    if (error.failed()) std::fprintf(stderr, "picolatte: %s\n", FileErrorText(error).c_str());
  }
  kept = form.my;
}

}  // namespace

int main(int argc, char** argv) {
  MarkPageMoment("main");
  // Test hooks. The page's ?fixed-random=N: the same draws as a desktop run
  // with the same number, whatever the clock says. ?replay=CLICKS&stop=MS:
  // the game runs on a virtual clock with scripted clicks and holds at the
  // stop (platform/headless/replay.h), for frames held against the desktop's.
  PageArguments args = ReadPageArguments(std::vector<std::string>(argv + 1, argv + argc));
  for (const std::string& problem : args.problems) std::fprintf(stderr, "picolatte: %s\n", problem.c_str());
  if (args.fixed_random) SetRandomScript(FixedRandomScript(*args.fixed_random));
  std::vector<ReplayClick> clicks;
  bool replaying = args.stop_ms && ParseReplayClicks(args.replay, clicks);
  if (args.stop_ms && !replaying)
    std::fprintf(stderr, "picolatte: the replay '%s' cannot be read\n", args.replay.c_str());
  GamePaths paths = WebPaths();
  SeedSaveFolder(paths);
  // The page remembers the language like the desktop does, in settings.ini.
  const std::string settings_path = paths.save + "settings.ini";
  WatchSavedFiles({paths.save + kMyDatName, paths.save + kNameDatName, paths.sheet, settings_path});
  SyncSavedFiles(true);
  auto platform =
      replaying ? CreateWebReplayPlatform("/", clicks, *args.stop_ms) : CreateWebPlatform("/");
  MarkPageMoment("platform");
  auto form = std::make_unique<TForm1>(*platform, paths);
  form->settings = LoadSettings(settings_path).settings;
  if (!ParseLanguage(args.lang, form->settings.language) && !args.lang.empty())
    std::fprintf(stderr, "picolatte: ?lang= takes en or ja, not '%s'\n", args.lang.c_str());
  GameSettings saved = form->settings;
  auto save_settings = [&form, &saved, settings_path] {
    std::string why;
    if (form->settings != saved && SaveSettings(settings_path, form->settings, why)) saved = form->settings;
  };
  MarkPageMoment("form");
  if (form->FormCreate()) {
    tmy kept = form->my;  // the start has just saved it
    SetPageRequests({[&form, &kept, &save_settings](bool may_ask) {
                       KeepProgress(*form, kept, may_ask);
                       save_settings();
                     },
                     ImportProgress, [&form] { return std::string(LanguageCode(form->settings.language)); }});
    form->Run();
  }
  form->FormDestroy();
  save_settings();
  SetPageRequests({});
  SyncSavedFiles(false);
  return 0;
}
