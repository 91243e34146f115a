// The window's sound calls on the headless platform: effects through the
// real mixer into a recording device, music through FluidSynth rendered by
// hand, and silence (never an error) when anything is missing.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>

#include "app/form.h"
#include "platform/desktop/fluid_music.h"
#include "platform/headless/headless_platform.h"
#include "platform/null_wave_out.h"
#include "sound/mixer/mixer.h"
#include "sound/mixer/tests/virtual_wave_out.h"
#include "sound_test_util.h"

namespace {

constexpr int kSilent = 300;  // peak below -40 dB: what is left of a reverb tail

class SoundCallsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = sound_test::ScratchDir("calls");
    std::filesystem::create_directories(dir / "dat");
    sound_test::WriteWav(dir / "dat" / "1.wav", 150, 110);
    sound_test::WriteWav(dir / "dat" / "a.wav", 200, 1102);  // 0.1 s
    sound_test::WriteWav(dir / "dat" / "b.wav", 100, 1102);
    sound_test::WriteWav(dir / "dat" / "long.wav", 200, 11025);  // 1 s
    sound_test::WriteWav(dir / "dat" / "tick.wav", 180, 220);    // 20 ms
    sound_test::WriteBytes(dir / "dat" / "broken.wav", {'R', 'I', 'F', 'F', 9, 0, 0, 0, 'W', 'A', 'V', 'E'});
    platform = std::make_unique<HeadlessPlatform>(dir.string());
  }
  void TearDown() override {
    if (form) form->FreeSoundSlots();
    form.reset();
    platform.reset();
    std::filesystem::remove_all(dir);
  }

  VirtualWaveOut& InstallRecorder() {
    auto device = std::make_unique<VirtualWaveOut>();
    VirtualWaveOut& ref = *device;
    platform->wave_out = std::move(device);
    return ref;
  }

  // Lets `ms` of sound play, pumping the mixer as the window would.
  void Play(VirtualWaveOut& device, int ms) {
    for (int t = 0; t < ms; t += 10) {
      device.Advance(10);
      form->PumpSound();
    }
  }

  std::filesystem::path dir;
  std::unique_ptr<HeadlessPlatform> platform;
  std::unique_ptr<TForm1> form;
};

// Longest run of `value` in the played bytes.
size_t LongestRun(const std::vector<uint8_t>& played, uint8_t value) {
  size_t best = 0, run = 0;
  for (uint8_t b : played) {
    run = b == value ? run + 1 : 0;
    best = std::max(best, run);
  }
  return best;
}

TEST_F(SoundCallsTest, SameChannelQueuesOtherChannelsMix) {
  VirtualWaveOut& device = InstallRecorder();
  form = std::make_unique<TForm1>(*platform);
  ASSERT_NE(form->SoundMixer1, nullptr);
  EXPECT_TRUE(form->SoundMixer1->Activated());
  EXPECT_EQ(form->SoundMixer1->Channels(), 31);

  form->PlaySound(1, "a.wav");
  form->PlaySound(1, "a.wav");
  Play(device, 600);
  // One after the other, never on top of each other (that would clip at 255).
  EXPECT_EQ(std::count(device.played.begin(), device.played.end(), 200), 2 * 1101);
  EXPECT_EQ(std::count(device.played.begin(), device.played.end(), 255), 0);

  // A second channel mixes into a sound still playing on the first.
  device.played.clear();
  form->PlaySound(1, "long.wav");
  form->PlaySound(2, "b.wav");
  Play(device, 1500);
  EXPECT_EQ(LongestRun(device.played, 200 + 100 - 128), 1101u);
  EXPECT_EQ(std::count(device.played.begin(), device.played.end(), 100), 0);
  EXPECT_EQ(form->sound_slots[1], form->wave_cache.at("long.wav").wave);  // the newest per channel
  EXPECT_EQ(form->sound_slots[2], form->wave_cache.at("b.wav").wave);
}

TEST_F(SoundCallsTest, EachFileIsLoadedOnceHoweverOftenItPlays) {
  VirtualWaveOut& device = InstallRecorder();
  device.record = false;
  form = std::make_unique<TForm1>(*platform);
  form->OpenSoundSlots();
  ASSERT_NE(form->sound_slots[0], nullptr);
  for (TMixWave* slot : form->sound_slots) EXPECT_EQ(slot, form->sound_slots[0]);  // one 1.wav

  form->PlaySound(3, "tick.wav");
  TMixWave* first = form->sound_slots[3];
  ASSERT_NE(first, nullptr);
  Play(device, 100);
  uint64_t played_before = device.bytes_played;
  size_t heap_before = mallinfo2().uordblks;
  for (int i = 0; i < 1000; ++i) {
    form->PlaySound(3, "tick.wav");
    Play(device, 30);
    ASSERT_EQ(form->sound_slots[3], first);
  }
  size_t heap_after = mallinfo2().uordblks;
  EXPECT_EQ(form->wave_cache.size(), 2u);  // 1.wav and tick.wav
  // A fresh copy per play would hold 1000 x 220 bytes and more.
  EXPECT_LT(heap_after, heap_before + 16 * 1024);
  // And every one of them was heard: 220 bytes each, 30 ms apart.
  EXPECT_GE(device.bytes_played - played_before, 1000u * 220);

  form->FreeSoundSlots();
  EXPECT_TRUE(form->wave_cache.empty());
  for (TMixWave* slot : form->sound_slots) EXPECT_EQ(slot, nullptr);
  form->PlaySound(0, "tick.wav");  // loads again after a free
  EXPECT_NE(form->sound_slots[0], nullptr);
}

// The loaded sounds keep within their budget of bytes: the least recently
// played silent ones go, a sounding one never does (it is heard whole), and
// a sound too big to sit beside one that sounds waits for the next play.
TEST_F(SoundCallsTest, LoadedSoundsStayWithinTheirBudget) {
  VirtualWaveOut& device = InstallRecorder();
  // The shipped settings: a sound is done about 0.1 s after its end is mixed.
  std::ofstream(dir / "SOUNDMIX.INI") << "[default]\nWaveBlocks=2\nWaveBlockLen=512\nSamplesPerSec=11\n";
  form = std::make_unique<TForm1>(*platform);
  form->wave_cache_budget = 4500;
  const uint32_t kShort = 1000, kLong = 3000, kBig = 5000;  // samples, one byte each
  auto heard_whole = [&](uint8_t value, uint32_t samples) {
    return std::count(device.played.begin(), device.played.end(), value) == samples - 1;  // as a.wav above
  };
  auto silent = [](int i) { return std::string{'s', static_cast<char>('0' + i)} + ".wav"; };
  for (int i = 0; i < 8; ++i) sound_test::WriteWav(dir / "dat" / silent(i), 128, kShort);
  sound_test::WriteWav(dir / "dat" / "heard.wav", 90, kLong);
  sound_test::WriteWav(dir / "dat" / "big1.wav", 60, kBig);
  sound_test::WriteWav(dir / "dat" / "big2.wav", 190, kBig);
  auto cached_bytes = [&] {
    int64_t sum = 0;
    for (const auto& [name, entry] : form->wave_cache) sum += entry.wave->length;
    return sum;
  };
  auto play = [&](int channel, const std::string& name, int ms) {
    form->PlaySound(channel, name);
    EXPECT_EQ(form->wave_cache_bytes, cached_bytes());
    EXPECT_LE(form->wave_cache_bytes, std::max<int64_t>(form->wave_cache_budget, kBig)) << name;
    Play(device, ms);
  };
  // Silent sounds one after another, twice round: four fit at a time.
  for (int round = 0; round < 2; ++round)
    for (int i = 0; i < 8; ++i) play(1, silent(i), 120);
  EXPECT_LE(form->wave_cache_bytes, form->wave_cache_budget);
  EXPECT_EQ(form->wave_cache.count("s0.wav"), 0u);
  EXPECT_EQ(form->wave_cache.count("s7.wav"), 1u);
  // A long sound keeps sounding while the others come and go around it.
  play(2, "heard.wav", 20);
  TMixWave* heard = form->wave_cache.at("heard.wav").wave;
  for (int i = 0; i < 8; ++i) {
    play(1, silent(i), 120);
    if (form->SoundMixer1->WaveInUse(heard)) {
      EXPECT_EQ(form->wave_cache.count("heard.wav"), 1u);
    }
  }
  Play(device, 400);
  EXPECT_TRUE(heard_whole(90, kLong));
  // Bigger than the budget: alone it plays; beside it another such is silence.
  play(3, "big1.wav", 50);
  play(4, "big2.wav", 50);
  EXPECT_EQ(form->wave_cache.count("big2.wav"), 0u);
  Play(device, 600);
  EXPECT_TRUE(heard_whole(60, kBig));
  EXPECT_EQ(std::count(device.played.begin(), device.played.end(), 190), 0);
  play(4, "big2.wav", 600);
  EXPECT_TRUE(heard_whole(190, kBig));
}

TEST_F(SoundCallsTest, BadFilesAndBadChannelsAreSilence) {
  VirtualWaveOut& device = InstallRecorder();
  form = std::make_unique<TForm1>(*platform);
  form->PlaySound(0, "a.wav");
  TMixWave* before = form->sound_slots[0];
  form->PlaySound(0, "missing.wav");
  form->PlaySound(0, "broken.wav");
  form->PlaySound(5, "b.wav");
  form->PlaySound(-1, "b.wav");
  EXPECT_EQ(form->sound_slots[0], before);  // unchanged by the failures
  EXPECT_EQ(form->wave_cache.size(), 1u);
  Play(device, 300);
  EXPECT_EQ(std::count(device.played.begin(), device.played.end(), 100), 0);  // b.wav never played

  // 1.wav missing: start-up goes on with empty slots.
  std::filesystem::remove(dir / "dat" / "1.wav");
  form->FreeSoundSlots();
  form->OpenSoundSlots();
  for (TMixWave* slot : form->sound_slots) EXPECT_EQ(slot, nullptr);
}

TEST_F(SoundCallsTest, WithoutAMixerEverySoundCallDoesNothing) {
  VirtualWaveOut& device = InstallRecorder();
  device.device_count = 0;  // "No wave output devices available"
  testing::internal::CaptureStderr();
  form = std::make_unique<TForm1>(*platform);
  std::string warning = testing::internal::GetCapturedStderr();
  EXPECT_EQ(form->SoundMixer1, nullptr);
  EXPECT_NE(warning.find("No wave output devices available"), std::string::npos);
  EXPECT_EQ(std::count(warning.begin(), warning.end(), '\n'), 1);
  form->OpenSoundSlots();
  form->PlaySound(0, "a.wav");
  form->PumpSound();
  form->Silence();
  form->FreeSoundSlots();
  EXPECT_EQ(form->sound_slots[0], nullptr);
  EXPECT_EQ(device.writes, 0);
}

TEST_F(SoundCallsTest, HeadlessDefaultIsASilentOutputThatKeepsTime) {
  form = std::make_unique<TForm1>(*platform);  // nothing installed
  ASSERT_NE(form->SoundMixer1, nullptr);
  WaveOutCaps caps;
  ASSERT_TRUE(platform->WaveOut().GetCaps(0, caps));
  EXPECT_EQ(caps.product_name, "Silent output");
  // More plays than the mixer has queue entries: they only all fit if the
  // silent output really consumes the blocks as the clock moves.
  for (int i = 0; i < 300; ++i) {
    form->PlaySound(i % 5, "tick.wav");
    for (int t = 0; t < 3; ++t) {
      platform->clock_ms += 10;
      form->PumpSound();
    }
  }
  uint32_t position = platform->WaveOut().Position();
  EXPECT_GE(position, 300u * 220 / 2);
  // Without time nothing moves.
  EXPECT_EQ(platform->WaveOut().Position(), position);
}

class MusicCallsTest : public SoundCallsTest {
 protected:
  void SetUp() override {
    SoundCallsTest::SetUp();
    auto player = FluidMusic::Create(44100);
    if (!player) GTEST_SKIP() << "no General MIDI soundfont installed";
    music = player.get();
    platform->music = std::move(player);
    sound_test::WriteBytes(dir / "dat" / "col.mid", sound_test::MidiNote(1));
    form = std::make_unique<TForm1>(*platform);
  }

  // Renders like the audio callback; returns the peak and counts ends.
  int Render(double seconds) {
    int peak = 0;
    std::vector<int16_t> buf(1024);
    for (int left = static_cast<int>(seconds * 44100); left > 0; left -= 512) {
      std::fill(buf.begin(), buf.end(), 0);
      uint32_t generation;
      if (music->MixInto(buf.data(), 512, generation)) ++ends;
      for (int16_t s : buf) peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    return peak;
  }

  FluidMusic* music = nullptr;
  int ends = 0;
};

TEST_F(MusicCallsTest, PieceLoopsAfterANaturalEndOnly) {
  form->Silence();  // nothing open: nothing happens
  form->Music("");
  EXPECT_FALSE(music->IsOpen());
  EXPECT_EQ(Render(0.2), 0);

  form->Music("col.mid");
  EXPECT_GT(Render(0.3), 1000);
  Render(8.0);
  ASSERT_EQ(ends, 1);
  form->mid_pNotify();  // the end came back: play again
  EXPECT_GT(Render(0.3), 1000);

  form->Silence();
  Render(8.0);
  EXPECT_EQ(ends, 1);  // a stop is no end

  form->Music("col.mid");
  Render(8.0);
  ASSERT_EQ(ends, 2);
  form->closing = true;  // the window is going: no replay
  form->mid_pNotify();
  EXPECT_EQ(Render(0.5), 0);
}

TEST_F(MusicCallsTest, MissingPieceStopsTheOldOne) {
  form->Music("col.mid");
  EXPECT_GT(Render(0.2), 1000);
  form->Music("shop.mid");  // not there
  EXPECT_LT(Render(0.3), kSilent);
  Render(8.0);
  EXPECT_EQ(ends, 0);
}

}  // namespace
