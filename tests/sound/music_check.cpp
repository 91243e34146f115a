// The FluidSynth music player, rendered by hand as the audio callback would:
// a piece's natural end is reported once; a stop, an open or a new play makes
// no report; broken files are refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/desktop/fluid_music.h"
#include "sound_test_util.h"

namespace {

constexpr int kRate = 44100;
constexpr int kSilent = 300;  // peak below -40 dB: what is left of a reverb tail

class MusicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    music = FluidMusic::Create(kRate);
    if (!music) GTEST_SKIP() << "no General MIDI soundfont installed";
    dir = sound_test::ScratchDir("music");
    sound_test::WriteBytes(dir / "note.mid", sound_test::MidiNote(1));
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  // Renders `seconds` of audio; returns the peak level and counts ends.
  int Render(double seconds) {
    int peak = 0;
    std::vector<int16_t> buf(512 * 2);
    for (int left = static_cast<int>(seconds * kRate); left > 0; left -= 512) {
      std::fill(buf.begin(), buf.end(), 0);
      uint32_t generation = 0;
      if (music->MixInto(buf.data(), 512, generation)) {
        ++ends;
        last_end = generation;
      }
      for (int16_t s : buf) peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    return peak;
  }

  std::unique_ptr<FluidMusic> music;
  std::filesystem::path dir;
  int ends = 0;
  uint32_t last_end = 0;
};

TEST_F(MusicTest, NaturalEndIsReportedOnceAndReplayStartsFromTheTop) {
  ASSERT_TRUE(music->Open((dir / "note.mid").string()));
  EXPECT_TRUE(music->IsOpen());
  EXPECT_EQ(Render(0.2), 0);  // opened, not playing yet
  ASSERT_TRUE(music->Play());
  EXPECT_GT(Render(0.4), 1000);  // the note sounds
  Render(8.0);
  ASSERT_EQ(ends, 1);
  EXPECT_TRUE(music->EndIsCurrent(last_end));
  EXPECT_EQ(Render(0.5), 0);  // silent after the end, and no second report
  EXPECT_EQ(ends, 1);

  ASSERT_TRUE(music->Play());  // what mid_pNotify does
  EXPECT_FALSE(music->EndIsCurrent(last_end));
  EXPECT_GT(Render(0.4), 1000);
  Render(8.0);
  EXPECT_EQ(ends, 2);
}

TEST_F(MusicTest, StopOpenAndCloseReportNothing) {
  ASSERT_TRUE(music->Open((dir / "note.mid").string()));
  ASSERT_TRUE(music->Play());
  EXPECT_GT(Render(0.2), 1000);
  music->Stop();
  EXPECT_LT(Render(0.2), kSilent);  // stopped at once
  Render(8.0);
  EXPECT_EQ(ends, 0);
  EXPECT_TRUE(music->IsOpen());

  // An end already on its way when a new piece is opened is stale.
  ASSERT_TRUE(music->Play());
  Render(8.0);
  ASSERT_EQ(ends, 1);
  ASSERT_TRUE(music->Open((dir / "note.mid").string()));
  EXPECT_FALSE(music->EndIsCurrent(last_end));

  // Stop with nothing playing, and a player destroyed mid-piece, are harmless.
  music->Stop();
  ASSERT_TRUE(music->Play());
  Render(0.1);
  music.reset();
}

TEST_F(MusicTest, BrokenOrMissingFilesAreRefusedAndSilenceTheOldPiece) {
  ASSERT_TRUE(music->Open((dir / "note.mid").string()));
  ASSERT_TRUE(music->Play());
  Render(0.1);

  EXPECT_FALSE(music->Open((dir / "missing.mid").string()));
  EXPECT_FALSE(music->IsOpen());
  EXPECT_FALSE(music->Play());
  EXPECT_LT(Render(0.3), kSilent);

  auto midi = sound_test::MidiNote(1);
  auto truncated = midi;
  truncated.resize(truncated.size() - 5);  // the track runs past the end
  sound_test::WriteBytes(dir / "cut.mid", truncated);
  EXPECT_FALSE(music->Open((dir / "cut.mid").string()));
  sound_test::WriteBytes(dir / "riff.mid", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 0, 0});
  EXPECT_FALSE(music->Open((dir / "riff.mid").string()));
  EXPECT_EQ(ends, 0);
}

// The samples of `seconds` of music from where the play stands.
std::vector<int16_t> Take(FluidMusic& music, double seconds) {
  std::vector<int16_t> all, buf(512 * 2);
  for (int left = static_cast<int>(seconds * kRate); left > 0; left -= 512) {
    std::fill(buf.begin(), buf.end(), 0);
    uint32_t generation = 0;
    music.MixInto(buf.data(), 512, generation);
    all.insert(all.end(), buf.begin(), buf.end());
  }
  return all;
}

// How far `b` strays from `a`: RMS of the difference over RMS of `a`.
double Stray(const std::vector<int16_t>& a, const std::vector<int16_t>& b) {
  double signal = 0, error = 0;
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    signal += double(a[i]) * a[i];
    error += double(a[i] - b[i]) * (a[i] - b[i]);
  }
  return std::sqrt(error / std::max(signal, 1.0));
}

TEST_F(MusicTest, EveryPlayOfAPieceSoundsTheSameFromTheTop) {
  sound_test::WriteBytes(dir / "long_note.mid", sound_test::MidiNote(3));
  std::vector<uint8_t> higher = sound_test::MidiNote(3);
  for (size_t i = 1; i < higher.size(); ++i)
    if ((higher[i - 1] == 0x90 || higher[i - 1] == 0x80) && higher[i] == 60) higher[i] = 67;
  sound_test::WriteBytes(dir / "higher.mid", higher);

  ASSERT_TRUE(music->Open((dir / "long_note.mid").string()));
  ASSERT_TRUE(music->Play());
  std::vector<int16_t> first = Take(*music, 1.0);
  ASSERT_GT(*std::max_element(first.begin(), first.end()), 1000);
  // The piece as it was rendered, sample for sample, however it comes back.
  ASSERT_TRUE(music->Play());  // cut short: from the top again
  EXPECT_EQ(Take(*music, 1.0), first);
  Render(8.0);
  ASSERT_EQ(ends, 1);
  ASSERT_TRUE(music->Play());  // after its end, as the game loops it
  EXPECT_EQ(Take(*music, 1.0), first);
  music->Stop();
  ASSERT_TRUE(music->Open((dir / "long_note.mid").string()));  // opened again
  EXPECT_EQ(Render(0.2), 0);
  ASSERT_TRUE(music->Play());
  EXPECT_EQ(Take(*music, 1.0), first);
  // Another piece in between: that one is heard, then this one rendered
  // anew, alike but for the synth's dither and the reverb's last breath.
  ASSERT_TRUE(music->Open((dir / "higher.mid").string()));
  ASSERT_TRUE(music->Play());
  EXPECT_GT(Stray(first, Take(*music, 1.0)), 0.5);
  ASSERT_TRUE(music->Open((dir / "long_note.mid").string()));
  ASSERT_TRUE(music->Play());
  EXPECT_LT(Stray(first, Take(*music, 1.0)), 0.1);
}

TEST_F(MusicTest, APieceTooLongToKeepStillEndsAndReplaysFromTheTop) {
  // One note held for 200 s: longer than the player keeps in memory.
  sound_test::WriteBytes(dir / "long.mid", sound_test::MidiNote(400));
  ASSERT_TRUE(music->Open((dir / "long.mid").string()));
  ASSERT_TRUE(music->Play());
  std::vector<int16_t> first = Take(*music, 0.5);
  ASSERT_GT(*std::max_element(first.begin(), first.end()), 1000);
  Render(210.0);
  ASSERT_EQ(ends, 1);
  ASSERT_TRUE(music->Play());
  EXPECT_LT(Stray(first, Take(*music, 0.5)), 0.01);
}

TEST(MidiCheck, ChunkStructure) {
  auto good = sound_test::MidiNote(2);
  EXPECT_TRUE(IsWellFormedMidi(good));
  auto padded = good;
  padded.push_back(0);  // trailing padding is common
  EXPECT_TRUE(IsWellFormedMidi(padded));
  auto no_tracks = good;
  no_tracks[11] = 0;  // 0 tracks
  EXPECT_FALSE(IsWellFormedMidi(no_tracks));
  auto huge = good;
  huge[18] = 0x7F;  // track length far past the end
  EXPECT_FALSE(IsWellFormedMidi(huge));
  EXPECT_FALSE(IsWellFormedMidi({}));
  EXPECT_FALSE(IsWellFormedMidi(std::vector<uint8_t>(good.begin(), good.begin() + 14)));  // header only
}

}  // namespace
