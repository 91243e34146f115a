// Start-up time: from the moment the process began to the first frame on
// screen, through the same steps as the game itself. Prints figures.
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/form.h"
#include "platform/desktop/sdl_platform.h"
#include "platform/platform.h"

// Seconds since boot at which this process started.
static double ProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string line;
  std::getline(stat, line);
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string f;
  for (int i = 3; i <= 22; ++i) fields >> f;  // field 22: start time in clock ticks
  return std::stod(f) / sysconf(_SC_CLK_TCK);
}

static double Uptime() {
  timespec t;
  clock_gettime(CLOCK_BOOTTIME, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

int main(int argc, char** argv) {
  double started = ProcessStart();
  // A private copy of the game's folders: the game writes its progress at
  // start, and the player's my.dat stays out of it.
  namespace fs = std::filesystem;
  fs::path dist = argc > 1 ? argv[1] : BENCH_DIST_DIR;
  fs::path work = fs::temp_directory_path() / ("picolatte_bench_" + std::to_string(getpid()));
  fs::create_directories(work / "dat");
  fs::create_directory_symlink(fs::absolute(dist / "cg"), work / "cg");
  for (const auto& entry : fs::directory_iterator(dist / "dat"))
    if (entry.path().filename() != "my.dat")
      fs::copy_file(entry.path(), work / "dat" / entry.path().filename());
  auto platform = CreateSdlPlatform(work.string() + "/");
  if (!platform) return 1;
  double window = Uptime();
  TForm1 form(*platform);
  if (!form.FormCreate()) return 1;
  double first_frame = Uptime();
  std::printf("start-up: window after %.0f ms, first frame on screen after %.0f ms (target 300 ms)\n",
              (window - started) * 1000, (first_frame - started) * 1000);
  form.FormDestroy();
  fs::remove_all(work);
  return 0;
}
