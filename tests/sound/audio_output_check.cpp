// The wave outputs the mixer plays through: the silent one that plays by its
// clock, and the SDL device (dummy and disk drivers).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "platform/desktop/sdl_audio.h"
#include "platform/desktop/sdl_platform.h"
#include "platform/music.h"
#include "platform/null_wave_out.h"
#include "platform/platform.h"
#include "sound_test_util.h"

namespace {

TPcmFormat Format(uint16_t channels, uint32_t rate) {
  TPcmFormat f;
  f.channels = channels;
  f.samples_per_sec = rate;
  f.bytes_per_sec = rate * channels;
  f.block_align = channels;
  return f;
}

struct Block {
  explicit Block(uint32_t bytes, uint8_t value = 128) : data(bytes, value) {
    header.data = data.data();
    header.length = bytes;
  }
  std::vector<uint8_t> data;
  WaveHeader header;
};

TEST(NullWaveOut, PlaysBlocksByTheClock) {
  uint32_t now = 1000;
  NullWaveOut out([&] { return now; });
  WaveOutCaps caps;
  ASSERT_TRUE(out.GetCaps(0, caps));
  EXPECT_EQ(caps.product_name, "Silent output");
  EXPECT_EQ(out.DeviceCount(), 1);
  ASSERT_EQ(out.Open(0, Format(1, 11025)), 0);

  Block a(2048), b(2048);
  ASSERT_EQ(out.Write(&a.header), 0);
  ASSERT_EQ(out.Write(&b.header), 0);
  EXPECT_EQ(out.Position(), 0u);
  now += 100;  // 1102.5 bytes
  EXPECT_EQ(out.Position(), 1102u);
  EXPECT_FALSE(a.header.done);
  EXPECT_FALSE(out.TakeFinished());
  now += 100;  // 2205 bytes in all: the first block is through
  EXPECT_EQ(out.Position(), 2205u);
  EXPECT_TRUE(a.header.done);
  EXPECT_FALSE(b.header.done);
  EXPECT_TRUE(out.TakeFinished());
  EXPECT_FALSE(out.TakeFinished());  // reported once
  now += 10000;                      // runs dry: the position stops at the end of the data
  EXPECT_EQ(out.Position(), 4096u);
  EXPECT_TRUE(b.header.done);

  // Starved, it starts again from the moment it gets data, not from the past.
  Block c(1000);
  ASSERT_EQ(out.Write(&c.header), 0);
  EXPECT_EQ(out.Position(), 4096u);
  EXPECT_EQ(out.MsUntilNextDone(), 91);  // 1000 bytes at 11025 per second
  now += 50;
  EXPECT_EQ(out.Position(), 4096u + 551);
}

TEST(NullWaveOut, PauseRestartResetAndStereo) {
  uint32_t now = 0;
  NullWaveOut out([&] { return now; });
  EXPECT_FALSE(out.SupportsFormat(0, [] {
    TPcmFormat f;
    f.bits_per_sample = 16;
    f.block_align = 2;
    f.bytes_per_sec = 22050;
    return f;
  }()));
  ASSERT_EQ(out.Open(-1, Format(2, 22050)), 0);
  EXPECT_NE(out.Open(-1, Format(2, 22050)), 0);  // already open

  Block a(8820), b(8820);
  out.Write(&a.header);
  out.Write(&b.header);
  now += 33;  // 1455.3 bytes: whole stereo frames only
  EXPECT_EQ(out.Position(), 1454u);
  out.Pause();
  now += 1000;
  EXPECT_EQ(out.Position(), 1454u);
  EXPECT_EQ(out.MsUntilNextDone(), -1);
  out.Restart();
  now += 67;  // 100 ms played in all
  EXPECT_EQ(out.Position(), 4410u);

  out.Reset();
  EXPECT_TRUE(a.header.done);
  EXPECT_TRUE(b.header.done);
  EXPECT_EQ(out.Position(), 0u);
  EXPECT_TRUE(out.TakeFinished());
  out.Close();
  EXPECT_NE(out.Write(&a.header), 0);  // closed
}

// --- the SDL device ------------------------------------------------------

// Waits (real time) until `done` holds, at most two seconds.
template <typename F>
bool WaitFor(F done) {
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

TEST(SdlAudio, DummyDriverPlaysBlocksInOrderAtTheirRate) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  auto audio = OpenSdlAudio();
  ASSERT_NE(audio, nullptr);
  EXPECT_TRUE(audio->audible());
  WaveOutDevice& out = audio->wave_out();
  WaveOutCaps caps;
  ASSERT_TRUE(out.GetCaps(0, caps));
  EXPECT_FALSE(caps.product_name.empty());
  EXPECT_LE(caps.product_name.size(), 31u);
  EXPECT_TRUE(out.SupportsFormat(0, Format(2, 44100)));
  ASSERT_EQ(out.Open(0, Format(1, 11025)), 0);

  Block a(2205), b(2205);  // 0.2 s each
  out.Pause();
  ASSERT_EQ(out.Write(&a.header), 0);
  ASSERT_EQ(out.Write(&b.header), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  EXPECT_EQ(out.Position(), 0u);  // paused: nothing plays
  auto start = std::chrono::steady_clock::now();
  out.Restart();
  ASSERT_TRUE(WaitFor([&] { return a.header.done.load(); }));
  auto first = std::chrono::steady_clock::now() - start;
  EXPECT_FALSE(b.header.done);
  ASSERT_TRUE(WaitFor([&] { return b.header.done.load(); }));
  EXPECT_EQ(out.Position(), 4410u);
  // Played in real time, not swallowed at once.
  EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(first).count(), 100);

  // Reset gives every queued block back at once and starts counting anew.
  Block c(44100);
  out.Write(&c.header);
  ASSERT_TRUE(WaitFor([&] { return out.Position() > 4410u; }));
  out.Reset();
  EXPECT_TRUE(c.header.done);
  EXPECT_EQ(out.Position(), 0u);
  out.Close();
}

// WaveOutDevice in the mixer's settings names the n-th device SDL lists;
// the stream moves there (and back to the system's default for -1) and
// blocks keep playing. SDL's dummy driver lists one device.
TEST(SdlAudio, TheMixersDeviceNumberOpensTheDeviceSdlListsUnderIt) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  auto audio = OpenSdlAudio();
  ASSERT_NE(audio, nullptr);
  WaveOutDevice& out = audio->wave_out();
  EXPECT_EQ(audio->device_name(), "");  // the default device until the mixer opens one
  WaveOutCaps caps;
  ASSERT_TRUE(out.GetCaps(0, caps));

  ASSERT_EQ(out.Open(0, Format(1, 11025)), 0);
  EXPECT_EQ(audio->device_name(), caps.product_name);
  Block a(1103);
  ASSERT_EQ(out.Write(&a.header), 0);
  ASSERT_TRUE(WaitFor([&] { return a.header.done.load(); }));
  EXPECT_EQ(out.Position(), 1103u);
  out.Close();

  ASSERT_EQ(out.Open(-1, Format(1, 11025)), 0);
  EXPECT_EQ(audio->device_name(), "");
  Block b(1103);
  ASSERT_EQ(out.Write(&b.header), 0);
  ASSERT_TRUE(WaitFor([&] { return b.header.done.load(); }));
  out.Close();
  EXPECT_NE(out.Open(out.DeviceCount(), Format(1, 11025)), 0);  // no such device
}

TEST(SdlAudio, DiskDriverCarriesTheMixerBytesAsSixteenBitStereo) {
  auto dir = sound_test::ScratchDir("disk");
  auto file = dir / "out.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
  {
    auto audio = OpenSdlAudio();
    ASSERT_NE(audio, nullptr);
    WaveOutDevice& out = audio->wave_out();
    ASSERT_EQ(out.Open(0, Format(1, 22050)), 0);
    Block loud(2205, 200), quiet(2205, 64);  // 0.1 s each: +72 then -64
    out.Write(&loud.header);
    out.Write(&quiet.header);
    ASSERT_TRUE(WaitFor([&] { return quiet.header.done.load(); }));
    out.Close();
  }
  setenv("SDL_AUDIODRIVER", "dummy", 1);

  std::ifstream in(file, std::ios::binary);
  std::vector<int16_t> pcm;
  int16_t s;
  while (in.read(reinterpret_cast<char*>(&s), 2)) pcm.push_back(s);
  // Each 22050 Hz sample is held for two 44100 Hz frames (left and right the
  // same), with one interpolated frame at the change.
  int loud_frames = 0, quiet_frames = 0;
  for (size_t i = 0; i + 1 < pcm.size(); i += 2) {
    EXPECT_EQ(pcm[i], pcm[i + 1]);
    if (pcm[i] == 72 * 256) ++loud_frames;
    if (pcm[i] == -64 * 256) ++quiet_frames;
  }
  EXPECT_NEAR(loud_frames, 4410, 2);
  EXPECT_NEAR(quiet_frames, 4410, 2);
  std::filesystem::remove_all(dir);
}

TEST(SdlAudio, SilentStandInPlaysByTheClock) {
  auto audio = OpenSilentAudio();
  ASSERT_NE(audio, nullptr);
  EXPECT_FALSE(audio->audible());
  WaveOutCaps caps;
  ASSERT_TRUE(audio->wave_out().GetCaps(0, caps));
  EXPECT_EQ(caps.product_name, "Silent output");
  EXPECT_FALSE(audio->music().Open("/nonexistent.mid"));
  ASSERT_EQ(audio->wave_out().Open(0, Format(1, 11025)), 0);
  Block a(551);  // 50 ms
  audio->wave_out().Write(&a.header);
  EXPECT_TRUE(WaitFor([&] { return audio->wave_out().Position() == 551u && a.header.done.load(); }));
}

// No sound device is no reason to refuse to start: the window comes up with
// one warning and a silent output that still keeps time.
TEST(SdlAudio, WithoutADeviceTheWindowPlaysSilently) {
  setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  EXPECT_EQ(OpenSdlAudio(), nullptr);
  testing::internal::CaptureStderr();
  auto platform = CreateSdlPlatform("/tmp/");
  std::string warning = testing::internal::GetCapturedStderr();
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  ASSERT_NE(platform, nullptr);
  EXPECT_EQ(std::count(warning.begin(), warning.end(), '\n'), 1) << warning;
  WaveOutCaps caps;
  ASSERT_TRUE(platform->WaveOut().GetCaps(0, caps));
  EXPECT_EQ(caps.product_name, "Silent output");
  ASSERT_EQ(platform->WaveOut().Open(0, Format(1, 11025)), 0);
  Block a(551);
  platform->WaveOut().Write(&a.header);
  bool reported = false;
  InputEvent event;
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (!reported && std::chrono::steady_clock::now() < until) {
    reported = platform->WaitEvent(event, 20) && event.kind == InputEvent::AudioDone;
  }
  EXPECT_TRUE(reported);
  EXPECT_TRUE(a.header.done);
  EXPECT_FALSE(platform->Music().Open("/tmp/none.mid"));
}

// Through the SDL window (dummy video): a finished block arrives as
// AudioDone and a piece that played to its end as MusicDone.
TEST(SdlAudio, WindowReportsFinishedBlocksAndTheEndOfAPiece) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  auto dir = sound_test::ScratchDir("events");
  auto platform = CreateSdlPlatform(dir.string() + "/");
  ASSERT_NE(platform, nullptr);
  WaveOutDevice& out = platform->WaveOut();
  ASSERT_EQ(out.Open(0, Format(1, 11025)), 0);
  Block a(551), b(551);
  out.Write(&a.header);
  out.Write(&b.header);
  int audio_done = 0;
  InputEvent event;
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (!b.header.done && std::chrono::steady_clock::now() < until) {
    if (platform->WaitEvent(event, 20) && event.kind == InputEvent::AudioDone) ++audio_done;
  }
  ASSERT_TRUE(b.header.done);
  while (platform->WaitEvent(event, 30)) audio_done += event.kind == InputEvent::AudioDone;
  EXPECT_GE(audio_done, 1);
  EXPECT_LE(audio_done, 2);  // one per block at most: pending ones are not repeated
  out.Close();

  MusicPlayer& music = platform->Music();
  sound_test::WriteBytes(dir / "note.mid", sound_test::MidiNote(1));
  if (!music.Open((dir / "note.mid").string())) GTEST_SKIP() << "no soundfont: no music";
  ASSERT_TRUE(music.Play());
  int music_done = 0;
  until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (music_done == 0 && std::chrono::steady_clock::now() < until) {
    if (platform->WaitEvent(event, 50) && event.kind == InputEvent::MusicDone) ++music_done;
  }
  EXPECT_EQ(music_done, 1);
  std::filesystem::remove_all(dir);
}

}  // namespace
