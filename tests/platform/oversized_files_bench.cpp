// What hostile picture, sound and save files cost the game: each one is loaded in
// a child process of its own, which reports whether it loaded; the parent
// prints the wall and CPU time and the child's peak memory (max RSS).
//   oversized_files_bench [folder for the files]
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/form.h"
#include "app/settings.h"
#include "platform/bitmap.h"
#include "platform/headless/headless_platform.h"
#include "platform/picture_decode.h"
#include "save/save_files.h"
#include "sound/mixer/engine.h"
#include "sound/mixer/mixer.h"
#include "tests/platform/hostile_pictures.h"

namespace {

Bytes Bmp(int32_t w, int32_t h, int bits, uint32_t compression, size_t pixel_bytes) {
  const int palette = bits <= 8 ? 1 << bits : 0;
  const uint32_t offset = 54 + palette * 4;
  Bytes v{'B', 'M'};
  Le(v, offset + pixel_bytes, 4);
  Le(v, 0, 4);
  Le(v, offset, 4);
  Le(v, 40, 4);
  Le(v, w, 4);
  Le(v, h, 4);
  Le(v, 1, 2);
  Le(v, bits, 2);
  Le(v, compression, 4);
  Le(v, pixel_bytes, 4);
  Le(v, 2835, 4);
  Le(v, 2835, 4);
  Le(v, palette, 4);
  Le(v, 0, 4);
  for (int i = 0; i < palette; ++i) Le(v, i * 0x010101, 4);
  Bytes pixels(pixel_bytes, 0);
  if (compression == 1 && pixel_bytes >= 2) pixels[pixel_bytes - 1] = 1;  // ends with "end of bitmap"
  v.insert(v.end(), pixels.begin(), pixels.end());
  return v;
}

// The frame header of a small JPEG patched to declare another size.
Bytes TinyJpegDeclaring(const Bytes& jpeg, int w, int h) {
  Bytes out = jpeg;
  DeclareJpegSize(out, w, h);
  return out;
}

Bytes Wav(uint16_t channels, uint32_t rate, uint16_t bits, size_t data_bytes) {
  Bytes v{'R', 'I', 'F', 'F'};
  Le(v, 36 + data_bytes, 4);
  for (char c : std::string("WAVEfmt ")) v.push_back(c);
  Le(v, 16, 4);
  Le(v, 1, 2);
  Le(v, channels, 2);
  Le(v, rate, 4);
  Le(v, rate * channels * bits / 8, 4);
  Le(v, channels * bits / 8, 2);
  Le(v, bits, 2);
  for (char c : std::string("data")) v.push_back(c);
  Le(v, data_bytes, 4);
  for (size_t i = 0; i < data_bytes; ++i) v.push_back(static_cast<unsigned char>(128 + (i % 16)));
  return v;
}

void Write(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// A device that can play anything and plays nothing: only loading is measured.
class LoadOnlyDevice : public WaveOutDevice {
 public:
  int DeviceCount() override { return 1; }
  bool GetCaps(int, WaveOutCaps& caps) override {
    caps.product_name = "Load only";
    return true;
  }
  bool SupportsFormat(int, const TPcmFormat&) override { return true; }
  int Open(int, const TPcmFormat&) override { return 0; }
  void Close() override {}
  int Write(WaveHeader*) override { return 0; }
  uint32_t Position() override { return 0; }
  void Pause() override {}
  void Restart() override {}
  void Reset() override {}
  uint32_t ClockMs() override { return 0; }
};

bool LoadPicture(const std::string& path) {
  Bitmap b;
  return b.LoadFromFile(path);
}

bool LoadSound(const std::string& path) {
  LoadOnlyDevice device;
  TSoundMixer mixer(device, "");
  try {
    mixer.FreeWaveData(mixer.LoadWaveFile(path));
    return true;
  } catch (const ESoundMixerError& e) {
    std::fprintf(stderr, "    (%s)\n", e.what());
    return false;
  }
}

bool LoadProgressFile(const std::string& path) {
  tmy my;
  return !ReadProgressFile(path, my).failed();
}

bool LoadNames(const std::string& path) {
  NameList names;
  return !ReadNameFile(path, names).failed();
}

// Loaded means the file's own settings were taken, not the defaults.
bool LoadSettingsFile(const std::string& path) {
  return LoadSettings(path).problem.empty();
}

// The game's sounds one after another, a second apart, as a day plays them:
// the loaded ones stay within their budget however big each one is.
bool PlayEverySound(const std::string& dir) {
  HeadlessPlatform platform(dir);  // its silent output keeps the virtual clock's time
  TForm1 form(platform);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir + "/dat")) names.push_back(entry.path().filename());
  for (size_t i = 0; i < names.size(); ++i) {
    form.PlaySound(static_cast<int>(i % kSoundSlots), names[i]);
    for (int t = 0; t < 50; ++t) {
      platform.clock_ms += 20;
      form.PumpSound();
    }
  }
  std::fprintf(stderr, "    (%zu sounds kept, %.1f MB)\n", form.wave_cache.size(), form.wave_cache_bytes / 1048576.0);
  form.FreeSoundSlots();
  return true;
}

void Measure(const char* what, const std::string& path, const std::function<bool(const std::string&)>& load) {
  struct stat st {};
  const long long size = lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? st.st_size : -1;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid == 0) _exit(load(path) ? 0 : 1);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  const char* result = WIFEXITED(status) ? (WEXITSTATUS(status) == 0 ? "loaded" : "refused") : "crashed";
  const double cpu_ms = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                        (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
  std::printf("%-58s %9lld B  %-8s %9.1f ms %9.1f ms  %7.1f MB\n", what, size, result, ms, cpu_ms,
              usage.ru_maxrss / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const fs::path dir = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "picolatte_oversized";
  fs::create_directories(dir);
  auto file = [&](const char* name) { return (dir / name).string(); };

  const Bytes jpeg = SmallJpeg(48, 32);

  Write(file("rle8_16384.bmp"), Bmp(16384, 16384, 8, 1, 2));
  Write(file("bmp24_16384_short.bmp"), Bmp(16384, 16384, 24, 0, 3000 - 54));
  Write(file("rle8_4000.bmp"), Bmp(4000, 4000, 8, 1, 2));
  Write(file("bmp24_4000_short.bmp"), Bmp(4000, 4000, 24, 0, 3000 - 54));
  Write(file("rate1.wav"), Wav(1, 1, 8, 97 * 1024));
  Write(file("rate2_at_limit.wav"), Wav(1, 2, 8, 12175));
  fs::remove(file("pipe.bmp"));
  mkfifo(file("pipe.bmp").c_str(), 0600);
  fs::remove(file("zero.wav"));
  fs::create_symlink("/dev/zero", file("zero.wav"));
  fs::remove_all(file("folder.bmp"));
  fs::create_directory(file("folder.bmp"));

  std::printf("%-58s %11s  %-8s %12s %12s  %10s\n", "file", "size", "result", "wall time", "CPU time",
              "peak RSS");
  Measure("nothing (the cost of a child process)", file("missing.bmp"), LoadPicture);
  Measure("RLE8 BMP declaring 16384 x 16384", file("rle8_16384.bmp"), LoadPicture);
  Measure("24-bit BMP declaring 16384 x 16384, pixels missing", file("bmp24_16384_short.bmp"), LoadPicture);
  Measure("RLE8 BMP declaring 4000 x 4000 (within the limits)", file("rle8_4000.bmp"), LoadPicture);
  Measure("24-bit BMP declaring 4000 x 4000, pixels missing", file("bmp24_4000_short.bmp"), LoadPicture);
  Write(file("jpeg_16000.jpg"), TinyJpegDeclaring(jpeg, 16000, 16000));
  Write(file("jpeg_4000.jpg"), TinyJpegDeclaring(jpeg, 4000, 4000));
  Measure("small JPEG patched to 16000 x 16000", file("jpeg_16000.jpg"), LoadPicture);
  Measure("small JPEG patched to 4000 x 4000 (within the limits)", file("jpeg_4000.jpg"), LoadPicture);
  const Bytes progressive = FlatProgressiveJpeg(4000, 4000);  // 10 scans
  Write(file("scans_at_limit.jpg"), WithLastScanRepeated(progressive, kMaxJpegScans - 10));
  Write(file("scans_1000.jpg"), WithLastScanRepeated(progressive, 1000));
  Measure("progressive JPEG 4000 x 4000 at the limit of scans", file("scans_at_limit.jpg"), LoadPicture);
  Measure("the same with one refinement scan 1000 times more", file("scans_1000.jpg"), LoadPicture);
  Measure("folder in a picture's place", file("folder.bmp"), LoadPicture);
  Measure("FIFO in a picture's place", file("pipe.bmp"), LoadPicture);
  Measure("97 KB WAV declaring 1 sample per second", file("rate1.wav"), LoadSound);
  Measure("WAV at 2 per second, converted to just under 64 MB", file("rate2_at_limit.wav"), LoadSound);
  Measure("link to /dev/zero in a sound's place", file("zero.wav"), LoadSound);

  // Save files and settings: each hostile kind in the place of each file.
  for (const char* name : {"my.dat", "name.dat", "settings.ini"}) {
    auto load = std::string(name) == "my.dat"     ? LoadProgressFile
                : std::string(name) == "name.dat" ? LoadNames
                                                  : LoadSettingsFile;
    const std::string path = file(name);
    const std::string label = std::string(" in place of ") + name;
    fs::remove_all(path);
    std::ofstream(path, std::ios::binary).close();
    fs::resize_file(path, 3ull << 30);
    Measure(("3 GB sparse file" + label).c_str(), path, load);
    fs::remove(path);
    mkfifo(path.c_str(), 0600);
    Measure(("FIFO" + label).c_str(), path, load);
    fs::remove(path);
    fs::create_symlink("/dev/zero", path);
    Measure(("link to /dev/zero" + label).c_str(), path, load);
    fs::remove(path);
  }
  std::ofstream(file("my.dat"), std::ios::binary) << FormatProgress(tmy{});
  Measure("whole my.dat (1103 lines, for comparison)", file("my.dat"), LoadProgressFile);
  // 56 sounds of 3 KB, each declaring 1 sample a second (33 MB converted).
  fs::create_directories(dir / "slow_sounds" / "dat");
  for (int i = 0; i < 56; ++i)
    Write((dir / "slow_sounds" / "dat" / ("slow" + std::to_string(i) + ".wav")).string(), Wav(1, 1, 8, 3000));
  Measure("56 sounds of 3 KB declaring 1 sample a second, played", (dir / "slow_sounds").string(), PlayEverySound);
  return 0;
}
