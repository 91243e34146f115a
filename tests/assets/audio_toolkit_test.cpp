// The pieces the sounds and music are made with: the WAV encoder's bytes,
// note and chord names, the line player, envelopes and level handling.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "tests/assets/asset_files.h"
#include "tools/assetgen/score.h"
#include "tools/assetgen/synth.h"
#include "tools/assetgen/wav_writer.h"

namespace {
using namespace assetgen;
using asset_test::Le16;
using asset_test::Le32;

TEST(WavEncoder, WritesHeaderAndSamplesOfEachFormat) {
  synth::Audio mono = synth::MakeMono(11025, 0);
  mono.left = {0.0f, 1.0f, -1.0f, 2.0f, -0.5f};  // odd length, one sample out of range
  std::vector<uint8_t> b = EncodeWav(mono, kPcm8Mono11k);
  ASSERT_EQ(b.size(), 44u + 6);  // padded to an even length: no RIFF pad byte needed
  EXPECT_EQ(asset_test::Tag(b, 0), "RIFF");
  EXPECT_EQ(Le32(b, 4), b.size() - 8);
  EXPECT_EQ(Le32(b, 16), 16u);
  EXPECT_EQ(Le16(b, 20), 1u);
  EXPECT_EQ(Le32(b, 24), 11025u);
  EXPECT_EQ(Le32(b, 40), 6u);
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 44, b.end()), (std::vector<uint8_t>{128, 255, 1, 255, 64, 128}));

  std::vector<uint8_t> s = EncodeWav(synth::MakeMono(44100, 0.001), kPcm16Stereo44k);
  EXPECT_EQ(Le16(s, 22), 2u);
  EXPECT_EQ(Le32(s, 28), 44100u * 4);
  EXPECT_EQ(Le16(s, 32), 4u);
  EXPECT_EQ(Le32(s, 40), 44u * 4);

  synth::Audio stereo = synth::MakeStereo(22050, 0);
  stereo.left = {0.5f, -1.0f};
  stereo.right = {0.0f, -1.0f};
  std::vector<uint8_t> m = EncodeWav(stereo, kPcm16Mono22k);  // mixed down to the average
  EXPECT_EQ(int16_t(Le16(m, 44)), int16_t(std::lround(0.25 * 32767)));
  EXPECT_EQ(int16_t(Le16(m, 46)), -32767);
  EXPECT_THROW(EncodeWav(stereo, kPcm8Mono11k), std::runtime_error);  // rendered at the wrong rate
}

TEST(Score, NotesDurationsAndChords) {
  EXPECT_EQ(score::Pitch("C4"), 60);
  EXPECT_EQ(score::Pitch("A4"), 69);
  EXPECT_EQ(score::Pitch("F#5"), 78);
  EXPECT_EQ(score::Pitch("Bb3"), 58);
  EXPECT_EQ(score::Pitch("B#4"), 72);
  EXPECT_EQ(score::Pitch("Cb5"), 71);
  EXPECT_EQ(score::Duration("q."), 720u);
  EXPECT_EQ(score::Duration("s"), 120u);
  for (const char* bad : {"H4", "C", "Cx4"}) EXPECT_THROW(score::Pitch(bad), std::runtime_error) << bad;
  EXPECT_THROW(score::Duration("q.."), std::runtime_error);

  score::Chord c = score::ParseChord("C/E");
  EXPECT_EQ(c.root, 0);
  EXPECT_EQ(c.bass, 4);
  EXPECT_EQ(score::ParseChord("F#m7").tones, (std::vector<int>{0, 3, 7, 10}));
  EXPECT_EQ(score::ParseChord("Gmaj7").Spread(60, 4), (std::vector<int>{62, 66, 67, 71}));
  EXPECT_EQ(score::PlaceAbove(4, 38), 40);
  EXPECT_THROW(score::ParseChord("Cdim13"), std::runtime_error);
}

TEST(Score, VoicePlaysLinesInTime) {
  midi::Track t("test");
  score::Voice v(t, 3, 80, 0.5);
  v.Play("C4:q !E4 r:h ~G4+B4:e.");
  EXPECT_EQ(v.at(), 480u + 480 + 960 + 360);
  std::vector<std::pair<uint32_t, std::vector<uint8_t>>> ons;
  for (const auto& e : t.events())
    if ((e.bytes[0] & 0xf0) == 0x90) ons.push_back({e.tick, e.bytes});
  ASSERT_EQ(ons.size(), 4u);
  EXPECT_EQ(ons[0], (std::pair<uint32_t, std::vector<uint8_t>>{0, {0x93, 60, 80}}));
  EXPECT_EQ(ons[1], (std::pair<uint32_t, std::vector<uint8_t>>{480, {0x93, 64, 94}}));
  EXPECT_EQ(ons[2].first, 1920u);
  EXPECT_EQ(ons[2].second[2], 66);
  EXPECT_EQ(t.LastTick(), 1920u + 180);  // legato 0.5 of a dotted eighth
  EXPECT_THROW(v.Play("C4:x"), std::runtime_error);
}

TEST(Synth, EnvelopeTonesAndLevels) {
  synth::Adsr env{0.01, 0.1, 0.5, 0.2};
  EXPECT_DOUBLE_EQ(env.Level(0, 1), 0);
  EXPECT_NEAR(env.Level(0.01, 1), 1, 1e-9);
  EXPECT_NEAR(env.Level(0.9, 1), 0.5, 1e-3);  // held at the sustain level
  EXPECT_NEAR(env.Level(1.0, 1), 0.5, 1e-3);
  EXPECT_LT(env.Level(1.1, 1), 0.5 * 0.05);  // falling in the release
  EXPECT_NEAR(env.Level(1.2, 1), 0, 1e-9);   // and silent at its end

  // A 440 Hz sine crosses zero 880 times a second.
  synth::Signal s;
  synth::AddTone(s, 22050, 0, 1, {.freq = 440, .env = {0.001, 1, 1, 0.001}});
  int crossings = 0;
  for (size_t i = 1; i < s.size(); ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
  EXPECT_NEAR(crossings, 880, 2);

  synth::Audio a = synth::MakeMono(1000, 0);
  a.left = {0.1f, -0.4f, 0.2f};
  a.left.resize(50, 0.0001f);  // a long, quiet tail
  synth::NormalizePeak(a, -6);
  EXPECT_NEAR(synth::Peak(a), std::pow(10.0, -6 / 20.0), 1e-6);
  synth::TrimTail(a, -40);  // keeps through the last loud sample plus 10 ms
  EXPECT_EQ(a.left.size(), 3u + 10 - 1);
}

TEST(Synth, NoiseIsSeeded) {
  synth::Signal a, b, c;
  synth::AddCrinkle(a, 22050, 0, 0.2, 200, 1000, 5000, 1, 7);
  synth::AddCrinkle(b, 22050, 0, 0.2, 200, 1000, 5000, 1, 7);
  synth::AddCrinkle(c, 22050, 0, 0.2, 200, 1000, 5000, 1, 8);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
}

}  // namespace
