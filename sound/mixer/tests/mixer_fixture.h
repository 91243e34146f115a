// A mix session on a virtual-clock device, with a settings file of the
// test's choosing, torn down after every test (one session per process).
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sound/mixer/internal.h"
#include "sound/mixer/tests/virtual_wave_out.h"
#include "sound/mixer/tests/wav_builder.h"

// Runs `f` and returns the ESoundMixerError message; fails the test when nothing is raised.
template <typename F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const ESoundMixerError& e) {
    return e.what();
  }
  ADD_FAILURE() << "no ESoundMixerError raised";
  return "";
}

class MixerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("mixer_test_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    ini_path = (dir / "SOUNDMIX.INI").string();
  }
  void TearDown() override {
    for (TMixWave* w : waves) {
      if (g_session != nullptr) {
        ReleaseWave(g_session, w);
      } else {
        std::free(w->data);
        delete w;
      }
    }
    if (g_session != nullptr) EndSession(g_session);
    std::filesystem::remove_all(dir);
  }

  void WriteIni(const std::string& text) { std::ofstream(ini_path) << text; }

  // A session with channels 0-4 open, activated unless told otherwise.
  TMixSession* Start(bool activate = true, const TMixConfig* config = nullptr) {
    s = InitSession(device, ini_path, config);
    OpenChannels(s, 5, kOpenFirst);
    if (activate) MixerActivate(s, true);
    return s;
  }

  // An 8-bit wave in the session's own format, from a memory source.
  TMixWave* Wave(const std::vector<uint8_t>& bytes) {
    WavFormat format;
    format.channels = s->format.channels;
    format.rate = s->format.samples_per_sec;
    const std::vector<uint8_t> file = MakeWav(format, bytes);
    TMixWave* w = LoadWave(s, TMemoryFile{file.data(), static_cast<uint32_t>(file.size())});
    waves.push_back(w);
    return w;
  }
  TMixWave* Constant(uint8_t value, int length) { return Wave(std::vector<uint8_t>(length, value)); }

  void Play(int channel, TMixWave* w, uint32_t flags = 0, uint16_t loops = 0, MixNotify* notify = nullptr) {
    TMixPlayParams p;
    p.session = s;
    p.channel = channel;
    p.wave = w;
    p.flags = flags;
    p.loops = loops;
    p.notify = notify;
    MixerPlay(&p);
    last_channel = p.channel;
  }

  // Plays `bytes` on the device, pumping the mixer after every block, as
  // the main loop would.
  void Run(uint32_t bytes) {
    device.on_block_done = [] { Pump(); };
    device.PlayBytes(bytes);
    device.on_block_done = nullptr;
  }

  int QueueLength(int channel) const {
    int n = 0;
    for (TQueuedPlay* e = s->queues[channel]; e != nullptr; e = e->next) ++n;
    return n;
  }

  std::vector<uint8_t> Played(size_t from, size_t count) const {
    return {device.played.begin() + from, device.played.begin() + from + count};
  }

  std::filesystem::path dir;
  std::string ini_path;
  VirtualWaveOut device;
  TMixSession* s = nullptr;
  std::vector<TMixWave*> waves;  // released at tear-down
  int last_channel = -1;
};
