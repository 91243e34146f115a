// CPU of the real game while it waits: the SDL window and sound, the game's
// own start-up and message loop, put into one of three waiting scenes:
//   click  the first click wait after "Start" (a message line, the hint)
//   title  the title menu (the labels pulse)
//   shop   the evening shop's item panel (its music plays)
// A watcher thread reads the CPU ticks of the process and of every thread
// from /proc over the measuring time, prints them and closes the game.
// Usage: idle_bench SCENE [SECONDS] [DIST_DIR]   (SDL_AUDIODRIVER picks the sound)
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "app/form.h"
#include "platform/desktop/sdl_platform.h"
#include "platform/platform.h"

namespace {

namespace fs = std::filesystem;

struct Ticks {
  std::string name;
  long long ticks = 0;  // user + system
};

// utime + stime of a /proc stat file, and the thread's name.
Ticks ReadStat(const fs::path& dir) {
  Ticks t;
  std::ifstream comm(dir / "comm");
  std::getline(comm, t.name);
  std::ifstream stat(dir / "stat");
  std::string line;
  std::getline(stat, line);
  size_t close = line.rfind(')');
  if (close == std::string::npos) return t;
  std::istringstream fields(line.substr(close + 2));
  std::string f;
  long long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && fields >> f; ++i) {
    if (i == 14) utime = std::atoll(f.c_str());
    if (i == 15) stime = std::atoll(f.c_str());
  }
  t.ticks = utime + stime;
  return t;
}

std::map<std::string, Ticks> ThreadTicks() {
  std::map<std::string, Ticks> all;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator("/proc/self/task", ec))
    all[entry.path().filename().string()] = ReadStat(entry.path());
  return all;
}

void Measure(const std::string& scene, int seconds) {
  std::this_thread::sleep_for(std::chrono::seconds(3));  // the scene settles
  const double hz = static_cast<double>(sysconf(_SC_CLK_TCK));
  auto before = ThreadTicks();
  Ticks process_before = ReadStat("/proc/self");
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  auto after = ThreadTicks();
  Ticks process_after = ReadStat("/proc/self");
  auto percent = [&](long long ticks) { return ticks / hz / seconds * 100; };
  const char* driver = std::getenv("SDL_AUDIODRIVER");
  std::printf("%-6s audio %-6s  process %5.2f %% of one core over %d s\n", scene.c_str(),
              driver ? driver : "(default)", percent(process_after.ticks - process_before.ticks), seconds);
  for (const auto& [tid, t] : after) {
    auto was = before.find(tid);
    long long used = t.ticks - (was != before.end() ? was->second.ticks : 0);
    if (used > 0) std::printf("    %-16s %5.2f %%\n", t.name.c_str(), percent(used));
  }
  std::fflush(stdout);
  kill(getpid(), SIGTERM);  // arrives as a window close
}

}  // namespace

int main(int argc, char** argv) {
  std::string scene = argc > 1 ? argv[1] : "click";
  int seconds = argc > 2 ? std::atoi(argv[2]) : 20;
  fs::path dist = argc > 3 ? argv[3] : BENCH_DIST_DIR;
  if ((scene != "click" && scene != "title" && scene != "shop") || seconds <= 0) {
    std::fprintf(stderr, "usage: idle_bench click|title|shop [SECONDS] [DIST_DIR]\n");
    return 2;
  }
  // A private copy of the game's folders, as in startup_bench.
  fs::path work = fs::temp_directory_path() / ("picolatte_idle_" + std::to_string(getpid()));
  fs::create_directories(work / "dat");
  fs::create_directory_symlink(fs::absolute(dist / "cg"), work / "cg");
  for (const auto& entry : fs::directory_iterator(dist / "dat"))
    if (entry.path().filename() != "my.dat")
      fs::copy_file(entry.path(), work / "dat" / entry.path().filename());

  int status = 1;
  if (auto platform = CreateSdlPlatform(work.string() + "/")) {
    TForm1 form(*platform);
    if (form.FormCreate()) {
      std::thread watcher(Measure, scene, seconds);
      form.cgMouseDown(195, 130);  // the two clicks on the title
      form.cgMouseDown(195, 130);
      if (scene == "click") {
        form.selMouseDown(3);  // "Start": returns once the window closes
      } else if (scene == "shop") {
        form.screen_phase = ScreenPhase::Playing;
        form.my.money = 3000;
        form.game.OpenShop();
      }
      form.Run();
      watcher.join();
      status = 0;
    }
    form.FormDestroy();
  }
  std::error_code ec;
  fs::remove_all(work, ec);
  return status;
}
