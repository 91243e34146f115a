// Creating sessions from SOUNDMIX.INI, activation, and the channel
// operations' checks.
#include <sys/stat.h>

#include "sound/mixer/tests/mixer_fixture.h"

using SessionTest = MixerTest;

TEST_F(SessionTest, WithoutSettingsFileEverythingTakesItsDefault) {
  Start(false);
  EXPECT_EQ(s->block_length, 2048);
  EXPECT_EQ(s->block_count, 3);
  EXPECT_EQ(s->remix, &FullRemix);
  EXPECT_EQ(s->good_position, 0);
  EXPECT_EQ(s->device_id, 0);
  EXPECT_STREQ(s->settings_section, "Virtual Wave Out");
  EXPECT_EQ(s->format.samples_per_sec, 11025u);
  EXPECT_EQ(s->format.bytes_per_sec, 11025u);
  EXPECT_EQ(s->format.channels, 1);
  EXPECT_EQ(s->format.bits_per_sample, 8);
}

TEST_F(SessionTest, BlockLengthIsRoundedAndClamped) {
  const std::pair<std::string, int> cases[] = {
      {"[default]\nWaveBlockLen=100\n", 512},
      {"[default]\nWaveBlockLen=5000\n", 4096},
      {"[default]\nWaveBlockLen=1003\n", 1000},
      {"[default]\nSamplesPerSec=44\n", 4096},  // 4 x 2048, clamped
      {"[default]\nSamplesPerSec=22\n", 4096},
      {"[default]\nSamplesPerSec=22050\n", 2048},  // a code, not a rate: 11025
      {"[default]\nWaveBlockLen=1024\n[Virtual Wave Out]\nWaveBlockLen=600\n", 600},
      {"[default]\nWaveBlockLen=1024\n[Virtual Wave Out]\nWaveBlockLen=0\n", 1024},
      // Negative lengths round down: -1 is -4, not 0, so the default's 1024
      // does not step in and the clamp gives the smallest block.
      {"[default]\nWaveBlockLen=1024\n[Virtual Wave Out]\nWaveBlockLen=-1\n", 512},
      {"[default]\nWaveBlockLen=-3\n", 512},
      {"[default]\nWaveBlockLen=-2147483648\n", 512},
  };
  for (const auto& [ini, length] : cases) {
    WriteIni(ini);
    Start(false);
    EXPECT_EQ(s->block_length, length) << ini;
    EndSession(s);
  }
}

TEST_F(SessionTest, DeviceSectionOverridesDefaultsWithinLimits) {
  WriteIni(
      "\xEF\xBB\xBF[DEFAULT]\r\n; mixer settings\r\nwaveblocks = 4\r\nRemix=2\r\nGoodWavePos=1\r\n"
      "[virtual wave out]\r\nSamplesPerSec=22 ; twice the default\r\n[default]\r\nWaveBlocks=5\r\n");
  Start(false);
  EXPECT_EQ(s->block_count, 4);
  EXPECT_EQ(s->remix, &DelayedStart);
  EXPECT_EQ(s->good_position, 1);
  EXPECT_EQ(s->format.samples_per_sec, 22050u);
  EndSession(s);
  for (const auto& [blocks, count] : {std::pair{"1", 2}, {"9", 6}, {"-3", 2}, {"6", 6}}) {
    WriteIni(std::string("[default]\nWaveBlocks=3\n[Virtual Wave Out]\nWaveBlocks=") + blocks + "\n");
    Start(false);
    EXPECT_EQ(s->block_count, count) << blocks;
    EndSession(s);
  }
}

TEST_F(SessionTest, DeviceNumberBeyondTheDevicesMeansTheDefaultDevice) {
  device.device_count = 2;
  WriteIni("[general]\nWaveOutDevice=1\n");
  Start(true);
  EXPECT_EQ(device.opened_device, 1);
  EndSession(s);
  WriteIni("[general]\nWaveOutDevice=2\n");
  Start(true);
  EXPECT_EQ(device.opened_device, -1);
}

TEST_F(SessionTest, ConfigAsksForStereoAndRate) {
  TMixConfig config;
  config.flags = 3;
  config.channels = 2;
  config.rate_code = 44;
  Start(false, &config);
  EXPECT_EQ(s->format.channels, 2);
  EXPECT_EQ(s->format.block_align, 2);
  EXPECT_EQ(s->format.bytes_per_sec, 88200u);
  EndSession(s);
  // A mono device keeps one channel; an unknown code keeps the settings' rate.
  device.caps.channels = 1;
  config.rate_code = 30;
  Start(false, &config);
  EXPECT_EQ(s->format.channels, 1);
  EXPECT_EQ(s->format.samples_per_sec, 11025u);
  EndSession(s);
  // A record of the wrong size counts as absent.
  device.caps.channels = 2;
  config.size = 12;
  config.rate_code = 22;
  Start(false, &config);
  EXPECT_EQ(s->format.samples_per_sec, 11025u);
}

TEST_F(SessionTest, RefusesDevicesItCannotWorkWith) {
  device.device_count = 0;
  EXPECT_EQ(ErrorOf([&] { MixerInit(device, ini_path); }), "No wave output devices available");
  device.device_count = 1;
  device.caps.support = kWaveCapsSync;
  EXPECT_EQ(ErrorOf([&] { MixerInit(device, ini_path); }),
            "Virtual Wave Out is a syncronous (blocking) wave output device.  This will not permit audio to "
            "play while other applications are running");
  device.caps.support = 0;
  WriteIni("[not compatible]\nVirtual Wave Out=1\n");
  EXPECT_EQ(ErrorOf([&] { MixerInit(device, ini_path); }),
            "Virtual Wave Out is not compatible with the realtime sound mixer");
  // Each refusal freed its session: a new one can start.
  WriteIni("[not compatible]\nVirtual Wave Out=0\n");
  device.caps_ok = false;
  Start(false);
  EXPECT_STREQ(s->settings_section, "Unknown Device");
  EXPECT_EQ(ErrorOf([&] { MixerInit(device, ini_path); }), "Session already initialized");
}

TEST_F(SessionTest, ActivationTakesTheDeviceOnce) {
  Start(true);
  EXPECT_TRUE(device.open);
  MixerActivate(s, true);  // the same session again: nothing
  EXPECT_EQ(device.opens, 1);
  TMixSession other = *s;  // a second session, as another program would hold
  EXPECT_EQ(ErrorOf([&] { MixerActivate(&other, true); }), "Resource is already allocated to a process");
  MixerActivate(s, false);
  EXPECT_FALSE(device.open);
  EXPECT_EQ(device.closes, 1);
  EXPECT_EQ(g_active, nullptr);
  MixerActivate(s, true);
  EXPECT_EQ(device.opens, 2);
}

TEST_F(SessionTest, FailedOpenLeavesTheSessionOwningButInactive) {
  Start(false);
  device.open_error = 4;
  EXPECT_EQ(ErrorOf([&] { MixerActivate(s, true); }), "Failed to open waveform output device #4");
  EXPECT_EQ(g_active, s);
  EXPECT_EQ(s->activated, 0);
  device.open_error = 0;
  MixerActivate(s, true);  // still counts as active: nothing happens
  EXPECT_EQ(device.opens, 0);
  MixerActivate(s, false);
  MixerActivate(s, true);
  EXPECT_EQ(device.opens, 1);
  EXPECT_EQ(s->activated, 1);
}

TEST_F(SessionTest, ChannelOperationsCheckTheirArguments) {
  Start(false);
  EXPECT_EQ(ErrorOf([&] { OpenChannels(s, 0, 3); }), "Invalid Flags");
  EXPECT_EQ(ErrorOf([&] { OpenChannels(s, 0, -1); }), "Invalid flag");
  EXPECT_EQ(ErrorOf([&] { OpenChannels(s, 8, kOpenOne); }), "Invalid channel number");
  EXPECT_EQ(ErrorOf([&] { OpenChannels(s, 9, kOpenFirst); }), "Invalid number of channels");
  EXPECT_EQ(ErrorOf([&] { OpenChannels(s, 0, kOpenFirst); }), "Invalid number of channels");
  EXPECT_EQ(ErrorOf([&] { OpenChannels(s, 4, kOpenOne); }), "The channel has already been opened");
  EXPECT_EQ(ErrorOf([&] { FlushChannels(s, 5, 0); }), "The specified channel was not open");
  EXPECT_EQ(ErrorOf([&] { CloseChannels(s, -1, 0); }), "Invalid channel number");
  EXPECT_EQ(ErrorOf([&] { OpenChannels(nullptr, 0, kOpenAll); }), "Invalid Session handle");
  EXPECT_EQ(s->open_channels, 5);
  OpenChannels(s, 0, kOpenAll);  // opens 5-7, skips the open ones
  EXPECT_EQ(s->open_channels, 8);
  CloseChannels(s, 6, 0);
  EXPECT_EQ(s->open_channels, 7);
  EXPECT_FALSE(IsOpen(s, 6));
  CloseChannels(s, 0, kFlushAll);
  EXPECT_EQ(s->open_channels, 0);
}

TEST_F(SessionTest, PlayChecksComeInOrder) {
  Start(false);
  TMixWave* w = Constant(200, 10);
  EXPECT_EQ(ErrorOf([&] { MixerPlay(nullptr); }), "nil parameters pointer passed to MixerPlay");
  TMixPlayParams p;
  p.wave = w;
  EXPECT_EQ(ErrorOf([&] { MixerPlay(&p); }), "Invalid Session handle");
  p.session = s;
  p.wave = nullptr;
  EXPECT_EQ(ErrorOf([&] { MixerPlay(&p); }), "nil wave pointer passed to MixerPlay!");
  p.wave = w;
  EXPECT_EQ(ErrorOf([&] { MixerPlay(&p); }),
            "Wave device not allocated, call MixerActivate(hMixSession,TRUE)");
  MixerActivate(s, true);
  CloseChannels(s, 0, kFlushAll);
  EXPECT_EQ(ErrorOf([&] { MixerPlay(&p); }), "You must open a channel before you can play a wave");
  OpenChannels(s, 1, kOpenOne);
  EXPECT_EQ(ErrorOf([&] { MixerPlay(&p); }), "The specified channel was not open");
  p.channel = 8;
  EXPECT_EQ(ErrorOf([&] { MixerPlay(&p); }), "Invalid channel number");
}

TEST_F(SessionTest, FailedWriteFreesTheBlockAndSaysSo) {
  Start(true);
  TMixWave* w = Constant(200, 100);
  device.write_error = 11;
  EXPECT_EQ(ErrorOf([&] { Play(0, w); }), "Failed to write block to device");
  EXPECT_EQ(s->device_head, nullptr);
  EXPECT_FALSE(device.paused);  // not left paused
  device.write_error = 0;
  Play(1, w);
  EXPECT_EQ(device.QueuedBlocks(), 1u);
}

TEST_F(SessionTest, EndSessionLetsANewOneStart) {
  Start(true);
  Play(0, Constant(150, 5000), 0, kLoopForever);
  EXPECT_EQ(FreeEntries(), kPoolSize - 1);
  EndSession(s);
  EXPECT_FALSE(device.open);
  EXPECT_EQ(g_session, nullptr);
  EXPECT_EQ(g_active, nullptr);
  Start(true);
  EXPECT_EQ(FreeEntries(), kPoolSize);
  EXPECT_EQ(ErrorOf([&] { MixerActivate(&*std::make_unique<TMixSession>(), true); }),
            "Invalid Session handle");
}

TEST_F(SessionTest, PositionFromTheClockOrFromTheDevice) {
  TMixConfig stereo{10, 3, 2, 22};
  Start(true, &stereo);
  device.Advance(15);               // 661.5 bytes at 44100 per second
  EXPECT_EQ(PlayPosition(s), 660);  // whole frames only
  EndSession(s);
  WriteIni("[default]\nGoodWavePos=1\n");
  Start(true);
  Play(0, Constant(150, 20000));
  device.PlayBytes(1000);
  EXPECT_EQ(PlayPosition(s), 1000);
  Rebase(s, 5000);  // the device is behind: the offset is added
  EXPECT_EQ(PlayPosition(s), 5000);
  device.PlayBytes(10);
  EXPECT_EQ(PlayPosition(s), 5010);
  Rebase(s, 200);  // the device is ahead: subtracted
  EXPECT_EQ(PlayPosition(s), 200);
  EXPECT_EQ(s->mix_position, 200);
}

TEST_F(SessionTest, UnknownDevicesGetTheDefaultDeviceAndMono) {
  WriteIni("[general]\nWaveOutDevice=-7\n");
  device.caps_ok = false;
  TMixConfig stereo{10, 1, 2, 11};
  Start(false, &stereo);
  EXPECT_EQ(s->device_id, -1);
  EXPECT_EQ(s->format.channels, 1);
}

// What stands in the settings file's place when it is not a file: the
// defaults, at once (a pipe without writer must not hang the start).
TEST_F(SessionTest, ASettingsFileThatIsNoFileGivesTheDefaults) {
  std::filesystem::create_directory(ini_path);
  Start(false);
  EXPECT_EQ(s->block_length, 2048);
  EndSession(s);
  std::filesystem::remove(ini_path);

  ASSERT_EQ(mkfifo(ini_path.c_str(), 0600), 0);
  Start(false);
  EXPECT_EQ(s->block_length, 2048);
  EXPECT_EQ(s->block_count, 3);
  EndSession(s);
  std::filesystem::remove(ini_path);

  // A link to an endless device reads as no file, not as endless text.
  std::filesystem::create_symlink("/dev/zero", ini_path);
  Start(false);
  EXPECT_EQ(s->block_length, 2048);
}
