// Mixer figures: mixing speed with five busy channels at 44100 stereo, as
// a multiple of real time, and memory over many load/play/free cycles.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

#include "sound/mixer/internal.h"
#include "sound/mixer/tests/virtual_wave_out.h"
#include "sound/mixer/tests/wav_builder.h"

namespace {

long RssKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// A 16-bit stereo tone of `frames` frames at `rate`.
std::vector<uint8_t> Tone(uint32_t rate, int frames, double hz) {
  std::vector<int16_t> s;
  for (int i = 0; i < frames; ++i) {
    const auto v = static_cast<int16_t>(8000 * std::sin(2 * M_PI * hz * i / rate));
    s.push_back(v);
    s.push_back(static_cast<int16_t>(-v));
  }
  return MakeWav({1, 2, rate, 16}, Samples16(s));
}

TMixWave* Load(TMixSession* s, const std::vector<uint8_t>& file) {
  return LoadWave(s, TMemoryFile{file.data(), static_cast<uint32_t>(file.size())});
}

void Throughput() {
  VirtualWaveOut device;
  device.record = false;
  const TMixConfig config{10, 3, 2, 44};
  TMixSession* s = InitSession(device, "", &config);
  OpenChannels(s, 0, kOpenAll);
  MixerActivate(s, true);
  TMixWave* waves[5];
  for (int c = 0; c < 5; ++c) {
    // Different lengths, so loop boundaries fall at different places.
    waves[c] = Load(s, Tone(44100, 30000 + 7919 * c, 220.0 * (c + 1)));
    TMixPlayParams p;
    p.session = s;
    p.channel = c;
    p.wave = waves[c];
    p.loops = kLoopForever;
    p.flags = kPlayWait * (c < 4);
    MixerPlay(&p);
  }
  device.on_block_done = [] { Pump(); };
  const double audio_seconds = 1800;
  const auto bytes = static_cast<uint64_t>(audio_seconds * 88200);
  const auto t0 = std::chrono::steady_clock::now();
  const std::clock_t c0 = std::clock();
  for (uint64_t done = 0; done < bytes; done += 1 << 20) device.PlayBytes(1 << 20);
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  const double cpu = static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
  // CPU time too: on a shared machine the wall clock counts other people's work.
  std::printf(
      "mixing, 5 busy channels, 44100 stereo, %d-byte blocks: %.0f s of sound in %.3f s wall (%.0f x real "
      "time), %.3f s CPU (%.0f x)\n",
      s->block_length, audio_seconds, wall, audio_seconds / wall, cpu, audio_seconds / cpu);
  for (TMixWave* w : waves) ReleaseWave(s, w);
  EndSession(s);
}

void MemoryCycles() {
  VirtualWaveOut device;
  device.record = false;
  TMixSession* s = MixerInit(device, "");
  OpenChannels(s, 5, kOpenFirst);
  MixerActivate(s, true);
  device.on_block_done = [] { Pump(); };
  const std::vector<uint8_t> file = Tone(22050, 11025, 440);  // half a second
  std::printf("memory, load/play/free cycles (RSS):");
  for (int i = 0; i <= 10000; ++i) {
    if (i % 2500 == 0) std::printf("  %d: %ld kB", i, RssKb());
    if (i == 10000) break;
    TMixWave* w = Load(s, file);
    TMixPlayParams p;
    p.session = s;
    p.channel = i % 5;
    p.wave = w;
    p.flags = kPlayLeastRecent;
    MixerPlay(&p);
    device.PlayBytes(512);
    ReleaseWave(s, w);
  }
  std::printf("\n");
  EndSession(s);
}

}  // namespace

int main() {
  Throughput();
  MemoryCycles();
  return 0;
}
