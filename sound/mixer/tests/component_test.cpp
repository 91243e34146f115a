// TSoundMixer as the main window uses it: created, activated, five
// channels, sounds loaded from files, played and freed.
#include "sound/mixer/tests/mixer_fixture.h"

namespace {

class ComponentTest : public MixerTest {
 protected:
  std::string WriteWav(const std::string& name, const std::vector<uint8_t>& pcm) {
    const auto bytes = MakeWav({}, pcm);
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path;
  }
};

struct Count : MixNotify {
  int done = 0;
  void WaveDone(int, TMixWave*) override { ++done; }
};

}  // namespace

TEST_F(ComponentTest, PlaysFilesOnItsChannelsAndTellsWhenDone) {
  TSoundMixer mixer(device, ini_path);
  mixer.SetActivated(true);
  mixer.SetChannels(31);
  EXPECT_TRUE(mixer.Activated());
  EXPECT_EQ(mixer.Session()->open_channels, 5);
  TMixWave* w = mixer.LoadWaveFile(WriteWav("ding.wav", std::vector<uint8_t>(400, 190)));
  Count count;
  mixer.PlayWave(4, w, 0, kPlayWait, &count);
  mixer.PlayWave(0, w, 0, 0);
  device.on_block_done = [&] { mixer.Pump(); };
  device.PlayBytes(2048);
  EXPECT_EQ(count.done, 1);
  EXPECT_EQ(device.played[0], 252);  // both at once
  mixer.FreeWaveData(w);
}

TEST_F(ComponentTest, ChannelsFrom31To3ClosesTwoToFourWithoutRemix) {
  TSoundMixer mixer(device, ini_path);
  mixer.SetActivated(true);
  mixer.SetChannels(31);
  TMixWave* w = mixer.LoadWaveFile(WriteWav("long.wav", std::vector<uint8_t>(9000, 150)));
  for (int c = 0; c < 5; ++c) mixer.PlayWave(c, w, 0, 0);
  mixer.SetChannels(3);
  TMixSession* ms = mixer.Session();
  EXPECT_EQ(mixer.Channels(), 3);
  EXPECT_EQ(ms->open_channels, 2);
  for (int c = 2; c < 5; ++c) EXPECT_FALSE(IsOpen(ms, c)) << c;
  EXPECT_EQ(device.resets, 0);              // flushed without remix
  EXPECT_EQ(FreeEntries(), kPoolSize - 2);  // their plays went back
  EXPECT_EQ(ErrorOf([&] { mixer.PlayWave(3, w, 0, 0); }), "The specified channel was not open");
  mixer.SetChannels(255);
  EXPECT_EQ(ms->open_channels, 8);
  mixer.SetChannels(0);
  EXPECT_EQ(ms->open_channels, 0);
  mixer.FreeWaveData(w);
}

TEST_F(ComponentTest, DestructionEndsTheSessionSoAnotherCanStart) {
  {
    TSoundMixer mixer(device, ini_path);
    mixer.SetActivated(true);
    mixer.SetChannels(31);
    TMixWave* w = mixer.LoadWaveFile(WriteWav("loop.wav", std::vector<uint8_t>(100, 140)));
    mixer.PlayWave(1, w, kLoopForever, 0);
    mixer.FreeWaveData(w);
  }
  EXPECT_EQ(g_session, nullptr);
  EXPECT_FALSE(device.open);
  TSoundMixer again(device, ini_path);
  EXPECT_NE(again.Session(), nullptr);
}

TEST_F(ComponentTest, ConstructionFailuresReachTheCreator) {
  device.device_count = 0;
  EXPECT_EQ(ErrorOf([&] { TSoundMixer mixer(device, ini_path); }), "No wave output devices available");
  device.device_count = 1;
  TSoundMixer first(device, ini_path);
  EXPECT_EQ(ErrorOf([&] { TSoundMixer second(device, ini_path); }), "Session already initialized");
  EXPECT_EQ(ErrorOf([&] { first.LoadWaveFile((dir / "missing.wav").string()); }),
            "Failed to open wave file " + (dir / "missing.wav").string());
}
