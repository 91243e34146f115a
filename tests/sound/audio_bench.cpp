// Sound figures: start latency from PlaySound to the sound's first byte in
// the SDL audio callback (SDL dummy driver, default mixer settings), and
// memory over 10,000 PlaySound calls.
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

#include "app/form.h"
#include "platform/desktop/sdl_audio.h"
#include "platform/headless/headless_platform.h"
#include "sound/mixer/mixer.h"
#include "sound_test_util.h"

namespace {

using Clock = std::chrono::steady_clock;

// Lends the SDL device to the headless platform, which owns its output.
class BorrowedOutput : public WaveOutDevice {
 public:
  explicit BorrowedOutput(WaveOutDevice& d) : d_(d) {}
  int DeviceCount() override { return d_.DeviceCount(); }
  bool GetCaps(int id, WaveOutCaps& caps) override { return d_.GetCaps(id, caps); }
  bool SupportsFormat(int id, const TPcmFormat& f) override { return d_.SupportsFormat(id, f); }
  int Open(int id, const TPcmFormat& f) override { return d_.Open(id, f); }
  void Close() override { d_.Close(); }
  int Write(WaveHeader* h) override { return d_.Write(h); }
  uint32_t Position() override { return d_.Position(); }
  void Pause() override { d_.Pause(); }
  void Restart() override { d_.Restart(); }
  void Reset() override { d_.Reset(); }
  uint32_t ClockMs() override { return d_.ClockMs(); }

 private:
  WaveOutDevice& d_;
};

std::atomic<int64_t> g_probe_heard{0};  // steady clock ns of the first 255 byte, 0 = not yet

void Tap(void*, const uint8_t* bytes, uint32_t count) {
  if (g_probe_heard.load() != 0) return;
  if (std::find(bytes, bytes + count, 255) != bytes + count)
    g_probe_heard.store(Clock::now().time_since_epoch().count());
}

// Pumps like the window's timer until the probe is heard; ms from `start`.
double WaitForProbe(TForm1& form, Clock::time_point start) {
  while (g_probe_heard.load() == 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    form.PumpSound();
    if (Clock::now() - start > std::chrono::seconds(3)) return -1;
  }
  return (g_probe_heard.load() - start.time_since_epoch().count()) / 1e6;
}

void PumpFor(TForm1& form, int ms) {
  auto until = Clock::now() + std::chrono::milliseconds(ms);
  while (Clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    form.PumpSound();
  }
}

void Report(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  std::printf("%-44s median %6.1f ms   min %6.1f   max %6.1f   (%zu runs)\n", what, ms[ms.size() / 2],
              ms.front(), ms.back(), ms.size());
}

void Latency(const std::filesystem::path& dir, const char* label) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  auto audio = OpenSdlAudio();
  if (!audio) {
    std::printf("latency: no SDL audio device\n");
    return;
  }
  audio->SetTap(Tap, nullptr);
  HeadlessPlatform platform(dir.string());
  platform.wave_out = std::make_unique<BorrowedOutput>(audio->wave_out());
  TForm1 form(platform);

  std::vector<double> idle, busy;
  for (int i = 0; i < 15; ++i) {
    PumpFor(form, 700);  // everything played out
    g_probe_heard = 0;
    auto start = Clock::now();
    form.PlaySound(0, "probe.wav");
    idle.push_back(WaitForProbe(form, start));
  }
  for (int i = 0; i < 15; ++i) {
    PumpFor(form, 700);
    form.PlaySound(1, "bed.wav");  // another channel is busy
    PumpFor(form, 100 + 37 * i % 200);
    g_probe_heard = 0;
    auto start = Clock::now();
    form.PlaySound(0, "probe.wav");
    busy.push_back(WaitForProbe(form, start));
  }
  std::printf("%s\n", label);
  Report("  start latency, nothing else playing", idle);
  Report("  start latency, another channel playing", busy);
  form.FreeSoundSlots();
}

size_t HeapBytes() {
  return mallinfo2().uordblks;
}

void Memory(const std::filesystem::path& dir) {
  HeadlessPlatform platform(dir.string());
  TForm1 form(platform);
  form.OpenSoundSlots();
  const char* names[] = {"s0.wav", "s1.wav", "s2.wav", "s3.wav", "s4.wav",
                         "s5.wav", "s6.wav", "s7.wav", "s8.wav", "s9.wav"};
  std::printf("memory over PlaySound calls (10 files of 0.2 s on 5 channels, 30 ms apart):\n");
  size_t base = HeapBytes();
  for (int i = 1; i <= 10000; ++i) {
    form.PlaySound(i % 5, names[i % 10]);
    platform.clock_ms += 30;
    form.PumpSound();
    if (i == 10 || i == 100 || i == 1000 || i == 5000 || i == 10000)
      std::printf("  after %5d calls: heap %+8ld bytes, %zu waves loaded\n", i,
                  static_cast<long>(HeapBytes()) - static_cast<long>(base), form.wave_cache.size());
  }
  form.FreeSoundSlots();
}

}  // namespace

int main() {
  auto dir = sound_test::ScratchDir("bench");
  std::filesystem::create_directories(dir / "dat");
  sound_test::WriteWav(dir / "dat" / "1.wav", 130, 1000);
  sound_test::WriteWav(dir / "dat" / "probe.wav", 255, 2205);
  sound_test::WriteWav(dir / "dat" / "bed.wav", 129, 22050);  // 2 s, nearly silent
  for (char c = '0'; c <= '9'; ++c)
    sound_test::WriteWav(dir / "dat" / (std::string("s") + c + ".wav"), 140, 2205);
  Memory(dir);
  Latency(dir, "default mixer settings (3 blocks of 2048 bytes at 11025 Hz):");
  std::ofstream(dir / "SOUNDMIX.INI") << "[default]\r\nWaveBlocks=2\r\nWaveBlockLen=512\r\n";
  Latency(dir, "SOUNDMIX.INI with WaveBlocks=2, WaveBlockLen=512:");
  std::ofstream(dir / "SOUNDMIX.INI")
      << "[default]\r\nWaveBlocks=2\r\nWaveBlockLen=512\r\nSamplesPerSec=22\r\n";
  Latency(dir, "SOUNDMIX.INI with WaveBlocks=2, WaveBlockLen=512, SamplesPerSec=22:");
  std::ofstream(dir / "SOUNDMIX.INI")
      << "[default]\r\nWaveBlocks=3\r\nWaveBlockLen=512\r\nSamplesPerSec=22\r\n";
  Latency(dir, "SOUNDMIX.INI with WaveBlocks=3, WaveBlockLen=512, SamplesPerSec=22:");
  std::filesystem::remove_all(dir);
  return 0;
}
