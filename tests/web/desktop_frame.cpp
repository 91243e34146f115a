// The desktop's side of the frame comparison (tests/web/page_test.js): the
// game on the headless platform with the desktop's text rasteriser, started
// like the page starts it (the pristine save files in a fresh save folder,
// the shipped mixer settings), with the fixed random draws of SEED and the
// replayed clicks, up to the stop. Writes the frame then on screen as a
// 24-bit BMP and the rectangles of its text, one "left top right bottom"
// line each. The page does the same with ?fixed-random=SEED&replay=CLICKS&stop=STOP_MS.
// Usage: desktop_frame DIST_DIR DEFAULTS_DIR SEED CLICKS STOP_MS OUT.bmp OUT.rects
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/form.h"
#include "app/paths.h"
#include "game/random.h"
#include "platform/headless/headless_platform.h"
#include "platform/headless/replay.h"
#include "platform/platform.h"
#include "platform/text_rects.h"
#include "save/save_files.h"

namespace {

namespace fs = std::filesystem;

// Keeps a copy of every frame shown with its text, and writes the last one
// out when the replay stops.
class FramePlatform : public HeadlessPlatform {
 public:
  FramePlatform(std::string base, std::string bmp, std::string rects, fs::path scratch)
      : HeadlessPlatform(std::move(base)),
        bmp_(std::move(bmp)),
        rects_path_(std::move(rects)),
        scratch_(std::move(scratch)) {}

  void Present(const Bitmap& scene) override {
    HeadlessPlatform::Present(scene);
    frame_ = scene;
    rects_ = TextRectsOn(scene);
  }

  bool WaitEvent(InputEvent& event, int timeout_ms) override {
    bool got = HeadlessPlatform::WaitEvent(event, timeout_ms);
    if (stopped) Finish();
    return got;
  }

 private:
  // The game is held at the stop like the page's: nothing after this frame
  // may run, so the program ends here.
  [[noreturn]] void Finish() {
    int status = 0;
    if (frame_.Empty() || !frame_.SaveToBmp(bmp_)) {
      std::fprintf(stderr, "desktop_frame: no frame to write to %s\n", bmp_.c_str());
      status = 1;
    }
    std::ofstream out(rects_path_);
    for (const TextRect& r : rects_)
      out << r.left << ' ' << r.top << ' ' << r.right << ' ' << r.bottom << '\n';
    if (!out) status = 1;
    out.close();
    std::error_code ec;
    fs::remove_all(scratch_, ec);
    std::fflush(nullptr);
    std::_Exit(status);
  }

  std::string bmp_, rects_path_;
  fs::path scratch_;
  Bitmap frame_;
  std::vector<TextRect> rects_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 8) {
    std::fprintf(stderr,
                 "usage: desktop_frame DIST_DIR DEFAULTS_DIR SEED CLICKS STOP_MS OUT.bmp OUT.rects\n");
    return 2;
  }
  const fs::path dist = argv[1], defaults = argv[2];
  std::vector<ReplayClick> clicks;
  if (!ParseReplayClicks(argv[4], clicks)) {
    std::fprintf(stderr, "desktop_frame: cannot read the clicks '%s'\n", argv[4]);
    return 2;
  }
  char scratch_name[] = "/tmp/picolatte_frame_XXXXXX";
  if (!mkdtemp(scratch_name)) return 1;
  const fs::path scratch = scratch_name;

  // The page's start: the shipped save files copied into an empty save folder.
  GamePaths paths;
  paths.cg = (dist / "cg").string() + "/";
  paths.dat = (dist / "dat").string() + "/";
  paths.save = (scratch / "save").string() + "/";
  paths.sheet = paths.save + kResultsSheetName;
  paths.mixer_ini = (defaults / "SOUNDMIX.INI").string();
  fs::create_directories(paths.save);
  for (const char* name : {kMyDatName, kNameDatName})
    fs::copy_file(defaults / "dat" / name, paths.save + name);
  CreateDeliveredSaveFiles(paths.save);

  SetRandomScript(FixedRandomScript(std::strtoull(argv[3], nullptr, 10)));
  RecordTextRects(true);
  FramePlatform platform(dist.string(), argv[6], argv[7], scratch);
  ScriptReplay(platform, clicks, std::strtoull(argv[5], nullptr, 10));
  auto form = std::make_unique<TForm1>(platform, paths);
  if (form->FormCreate()) form->Run();
  std::fprintf(stderr, "desktop_frame: the game ended before the stop\n");
  std::error_code ec;
  fs::remove_all(scratch, ec);
  return 1;
}
