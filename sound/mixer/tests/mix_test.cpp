// Mixing: what the device plays for plays on one or several channels,
// loops, queue flags, channel choice, remixes and the pump's notices.
#include <algorithm>

#include "sound/mixer/tests/mixer_fixture.h"

namespace {

using MixTest = MixerTest;

std::vector<uint8_t> Repeat(uint8_t value, size_t n) {
  return std::vector<uint8_t>(n, value);
}

std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// A long sound whose every byte is told apart from its neighbours: 60-200.
std::vector<uint8_t> Ramp(size_t n) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(60 + i * 7 % 141);
  return v;
}

struct Recorder : MixNotify {
  std::vector<std::pair<int, TMixWave*>> done;
  std::function<void()> then;  // runs once, at the first notice
  void WaveDone(int channel, TMixWave* wave) override {
    done.emplace_back(channel, wave);
    if (!then) return;
    auto once = std::move(then);
    then = nullptr;
    once();
  }
};

}  // namespace

TEST_F(MixTest, ChannelsAddUpAroundSilence) {
  Start();
  Play(0, Constant(150, 1000), kPlayWait);
  Play(1, Constant(200, 500));
  EXPECT_EQ(device.QueuedBlocks(), 1u);  // nothing left for a second block
  Run(2048);
  // A play sounds while the position is below its end, start + length - 1.
  EXPECT_EQ(device.played, Concat({Repeat(222, 499), Repeat(150, 500), Repeat(128, 1049)}));
}

TEST_F(MixTest, SumsAreClampedToTheByteRange) {
  Start();
  const auto a = Concat({Repeat(255, 50), Repeat(0, 50), Repeat(200, 51)});
  const auto b = Concat({Repeat(255, 50), Repeat(0, 50), Repeat(100, 51)});
  Play(0, Wave(a), kPlayWait);
  Play(3, Wave(b));
  Run(2048);
  EXPECT_EQ(Played(0, 150), Concat({Repeat(255, 50), Repeat(0, 50), Repeat(172, 50)}));
}

TEST_F(MixTest, BusyChannelQueuesBehindTheSoundBeforeIt) {
  Start();
  // Placed together: the second starts where the first falls silent.
  Play(0, Constant(150, 1000), kPlayWait);
  Play(0, Constant(200, 500));
  EXPECT_EQ(QueueLength(0), 2);
  Run(2048);
  EXPECT_EQ(device.played, Concat({Repeat(150, 999), Repeat(200, 499), Repeat(128, 550)}));
  // Later, behind what is already mixed: it waits for the next block.
  Play(1, Constant(90, 100));
  Play(1, Constant(30, 100));
  Run(6144);
  EXPECT_EQ(Played(2048, 4096),
            Concat({Repeat(90, 99), Repeat(128, 1949), Repeat(30, 99), Repeat(128, 1949)}));
}

TEST_F(MixTest, LoopsRepeatBackToBack) {
  Start();
  const auto r = Ramp(100);
  Play(0, Wave(r), 0, 2);
  Run(2048);
  std::vector<uint8_t> three = Concat({r, r, r});
  three.pop_back();
  EXPECT_EQ(Played(0, 299), three);
  EXPECT_EQ(Played(299, 1749), Repeat(128, 1749));
}

TEST_F(MixTest, EndlessLoopRunsUntilFlushedThenTheStreamStartsAgainAtZero) {
  Start();
  const auto r = Ramp(100);
  Play(2, Wave(r), 0, kLoopForever);
  Run(8192);
  for (size_t i = 0; i < 8192; ++i) ASSERT_EQ(device.played[i], r[i % 100]) << i;
  EXPECT_EQ(device.QueuedBlocks(), 3u);  // kept full
  FlushChannels(s, 2, 0);
  EXPECT_EQ(QueueLength(2), 0);
  EXPECT_EQ(device.resets, 1);
  EXPECT_EQ(device.QueuedBlocks(), 0u);  // the remix found nothing left to play
  Run(2048);
  EXPECT_EQ(device.played.size(), 8192u);  // the device ran dry
  // Nothing in the device and every channel empty: back to position 0.
  Play(0, Constant(77, 10));
  EXPECT_EQ(s->mix_position, 2048);
  Run(2048);
  EXPECT_EQ(Played(8192, 9), Repeat(77, 9));
}

TEST_F(MixTest, FlushWithoutRemixLetsMixedBytesPlayOut) {
  Start();
  Play(0, Constant(150, 10000));
  FlushChannels(s, 0, kFlushNoRemix);
  EXPECT_EQ(device.resets, 0);
  Run(8192);
  EXPECT_EQ(device.played, Concat({Repeat(150, 6144)}));
}

TEST_F(MixTest, FlushUnderDelayedStartLetsMixedBytesPlayOut) {
  // The delayed-start routine has no play to move: nothing is mixed again.
  WriteIni("[default]\nRemix=2\n");
  Start();
  Play(0, Constant(150, 10000));
  Play(1, Constant(100, 10000));
  FlushChannels(s, 0, 0);
  EXPECT_EQ(QueueLength(0), 0);
  EXPECT_EQ(QueueLength(1), 1);
  EXPECT_EQ(device.resets, 0);
  Run(8192);
  // The three blocks mixed before the flush play as they were; channel 1,
  // placed behind them, follows.
  EXPECT_EQ(Played(0, 6144), Repeat(150, 6144));
  EXPECT_EQ(Played(6144, 2048), Repeat(100, 2048));
}

TEST_F(MixTest, ClearQueueReplacesWhatTheChannelHad) {
  Start();
  Play(0, Constant(150, 10000), kPlayWait);
  Play(0, Constant(20, 10000));
  Run(1000);
  Play(0, Constant(60, 300), kPlayClearQueue);
  EXPECT_EQ(QueueLength(0), 1);
  EXPECT_EQ(device.resets, 1);  // blocks were in the device: mixed again
  Run(4096);
  EXPECT_EQ(device.played, Concat({Repeat(150, 1000), Repeat(60, 299), Repeat(128, 1749)}));
}

TEST_F(MixTest, HighPriorityStartsNowByFullRemix) {
  WriteIni("[default]\nGoodWavePos=1\n");
  Start();
  const auto a = Ramp(20000);
  Play(0, Wave(a));
  Run(1000);
  const auto b = Concat({Repeat(100, 50), Repeat(130, 50)});
  Play(1, Wave(b), kPlayHighPriority);
  EXPECT_EQ(device.resets, 1);
  Run(7000);
  // Heard at once, and the long sound runs on without a seam.
  for (size_t i = 0; i < 8000; ++i) {
    const int expected = i >= 1000 && i < 1099 ? a[i] + b[i - 1000] - 128 : a[i];
    ASSERT_EQ(device.played[i], expected) << i;
  }
}

TEST_F(MixTest, DelayedStartMovesThePlayBehindWhatIsMixed) {
  WriteIni("[default]\nGoodWavePos=1\nRemix=2\n");
  Start();
  const auto a = Ramp(20000);
  Play(0, Wave(a));
  Run(1000);
  const auto b = Concat({Repeat(100, 50), Repeat(130, 50)});
  Play(1, Wave(b), kPlayHighPriority);
  EXPECT_EQ(device.resets, 0);
  Run(7000);
  for (size_t i = 0; i < 8000; ++i) {
    const int expected = i >= 6144 && i < 6243 ? a[i] + b[i - 6144] - 128 : a[i];
    ASSERT_EQ(device.played[i], expected) << i;
  }
}

TEST_F(MixTest, LeastRecentlyUsedChannelIsChosen) {
  Start();
  TMixWave* w = Constant(140, 20000);
  Play(0, w, kPlayLeastRecent);  // channel 0 is idle: taken at once
  EXPECT_EQ(last_channel, 0);
  for (int c = 1; c < 4; ++c) Play(c, w);
  Play(0, w, kPlayLeastRecent);  // channel 4 has never played
  EXPECT_EQ(last_channel, 4);
  Play(0, w, kPlayLeastRecent);  // all busy: the oldest play is on channel 0
  EXPECT_EQ(last_channel, 0);
  Play(0, w, kPlayLeastRecent);
  EXPECT_EQ(last_channel, 1);
  EXPECT_EQ(QueueLength(0), 2);
  EXPECT_EQ(QueueLength(1), 2);
}

TEST_F(MixTest, ReleasingAWaveTakesEveryEntryOfIt) {
  Start();
  TMixWave* w = Constant(99, 3000);
  TMixWave* x = Constant(200, 3000);
  Play(0, w, kPlayWait);
  Play(0, w, kPlayWait);
  Play(1, w, kPlayWait);
  Play(0, x);
  EXPECT_EQ(FreeEntries(), kPoolSize - 4);
  std::erase(waves, w);
  ReleaseWave(s, w);
  EXPECT_EQ(FreeEntries(), kPoolSize - 1);
  ASSERT_EQ(QueueLength(0), 1);
  EXPECT_EQ(s->queues[0]->wave, x);
  EXPECT_EQ(QueueLength(1), 0);
  Run(2048);
  EXPECT_EQ(device.played[0], 99 + 99 - 128);  // already mixed: still heard
}

TEST_F(MixTest, ReleasingAWaveDropsItsWaitingPlays) {
  Start();
  TMixWave* w = Constant(99, 300);
  Play(0, w, kPlayWait);
  Play(1, Constant(30, 300), kPlayWait);
  Play(2, w, kPlayWait);
  std::erase(waves, w);
  ReleaseWave(s, w);
  EXPECT_EQ(FreeEntries(), kPoolSize - 1);
  Play(3, Constant(200, 300));
  Run(2048);
  EXPECT_EQ(Played(0, 299), Repeat(30 + 200 - 128, 299));
}

TEST_F(MixTest, PoolOfOneHundredEntries) {
  Start();
  TMixWave* w = Constant(140, 100);
  for (int i = 0; i < kPoolSize; ++i) Play(i % 5, w, kPlayWait);
  EXPECT_EQ(ErrorOf([&] { Play(0, w, kPlayWait); }), "Not enough memory");
  std::erase(waves, w);
  ReleaseWave(s, w);
  EXPECT_EQ(FreeEntries(), kPoolSize);
  Play(0, Constant(10, 100));
  EXPECT_EQ(FreeEntries(), kPoolSize - 1);
}

TEST_F(MixTest, PumpTellsWhenTheDeviceHasPlayedPastTheEnd) {
  WriteIni("[default]\nWaveBlockLen=512\n");
  Start();
  Recorder rec;
  TMixWave* a = Constant(150, 1000);
  TMixWave* b = Constant(100, 300);
  TMixWave* follow = Constant(210, 100);
  Play(2, a, kPlayWait, 0, &rec);
  Play(3, b, 0, 1, &rec);               // ends at 599
  rec.then = [&] { Play(4, follow); };  // a listener may play again
  Run(512);
  EXPECT_TRUE(rec.done.empty());
  Run(512);
  ASSERT_EQ(rec.done.size(), 2u);
  EXPECT_EQ(rec.done[0], std::make_pair(2, a));
  EXPECT_EQ(rec.done[1], std::make_pair(3, b));
  EXPECT_EQ(FreeEntries(), kPoolSize - 1);  // the follow-up is queued
  EXPECT_EQ(QueueLength(4), 1);
  Run(2048);
  EXPECT_EQ(rec.done.size(), 2u);
  EXPECT_NE(std::find(device.played.begin(), device.played.end(), 210), device.played.end());
}

TEST_F(MixTest, DeactivationKeepsTheStreamPositionAndQueues) {
  WriteIni("[default]\nGoodWavePos=1\n");
  Start();
  const auto a = Ramp(20000);
  Play(0, Wave(a));
  Run(3000);
  MixerActivate(s, false);
  EXPECT_EQ(s->mix_position, 3000);
  EXPECT_EQ(QueueLength(0), 1);
  EXPECT_FALSE(device.open);
  // Nothing plays on a device given back.
  EXPECT_EQ(ErrorOf([&] { Play(1, Constant(90, 100)); }),
            "Wave device not allocated, call MixerActivate(hMixSession,TRUE)");
  MixerActivate(s, true);
  Run(3000);
  EXPECT_EQ(device.played, std::vector<uint8_t>(a.begin(), a.begin() + 6000));
}

// A device with nothing queued is held while the first blocks of a sound go in,
// so that they start together; a device that is playing is never held, or the
// sound on it would stop for a moment.
TEST_F(MixTest, OnlyAnIdleDeviceIsHeldWhileTheFirstBlocksGoIn) {
  Start();
  const int pauses = device.pauses, restarts = device.restarts;
  Play(0, Constant(150, 5000));
  EXPECT_EQ(device.pauses, pauses + 1);
  EXPECT_EQ(device.restarts, restarts + 1);
  EXPECT_FALSE(device.paused);
  ASSERT_GT(device.QueuedBlocks(), 1u);

  Run(100);
  Play(0, Constant(90, 100));  // behind the first on its channel: no remix
  EXPECT_EQ(QueueLength(0), 2);
  EXPECT_EQ(device.pauses, pauses + 1);
  EXPECT_FALSE(device.paused);
  Run(8192);
  EXPECT_EQ(Played(0, 4999), Repeat(150, 4999));
  EXPECT_EQ(std::count(device.played.begin() + 4999, device.played.end(), 90), 99);
}
