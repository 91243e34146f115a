// The game's sound effects in dat/: every one the game names is there, is
// plain PCM in one of the three formats we ship, stays below full scale,
// starts and ends quietly, is accepted by the game's own wave loader, and
// comes out byte for byte the same at every build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "content/tables.h"
#include "sound/mixer/engine.h"
#include "sound/mixer/internal.h"
#include "sound/mixer/tests/virtual_wave_out.h"
#include "tests/assets/asset_files.h"

namespace {
using namespace asset_test;

// Every sound effect the game plays, by the events of the shop day.
const std::vector<std::string> kSounds = {
    // interface and title
    "start.wav", "start2.wav", "start3.wav", "key.wav", "pi.wav", "3.wav", "1.wav", "moji.wav", "4.wav",
    "point.wav", "paper.wav",
    // wrapping and folding
    "small.wav", "small2.wav", "white0.wav", "white.wav", "mis.wav", "mis2.wav", "don.wav", "big.wav",
    "dan.wav", "hako2.wav", "tesage.wav", "tesage2.wav", "hako3.wav", "hako4.wav", "kami.wav", "kami2.wav",
    // customers, seals and payment
    "no.wav", "mu.wav", "e.wav", "naki.wav", "naki2.wav", "naki3.wav", "great.wav", "up2.wav", "choto.wav",
    "oe.wav", "exp.wav", "down.wav", "coin.wav",
    // manager and review
    "fun.wav", "aha.wav", "lvup.wav", "aa.wav", "gameover.wav", "box.wav",
    // night and morning
    "night.wav", "dorobou.wav", "koke.wav", "hit.wav", "takara.wav", "oha.wav",
    // items
    "item.wav", "buy.wav", "back.wav", "key2.wav"};

struct Wav {
  std::string error;  // empty when well formed
  uint32_t tag = 0, channels = 0, rate = 0, byte_rate = 0, block = 0, bits = 0;
  uint32_t data_size = 0;
  std::vector<double> samples;  // interleaved, -1..1
  size_t Frames() const { return channels ? samples.size() / channels : 0; }
  double Seconds() const { return rate ? double(Frames()) / rate : 0; }
};

// Reads a RIFF/WAVE file by its chunks, independently of the game's loader.
Wav ParseWav(const std::vector<uint8_t>& b) {
  Wav w;
  if (b.size() < 12 || Tag(b, 0) != "RIFF" || Tag(b, 8) != "WAVE") return w.error = "not a RIFF/WAVE file", w;
  if (Le32(b, 4) != b.size() - 8) return w.error = "RIFF size does not match the file", w;
  bool have_fmt = false, have_data = false;
  for (size_t at = 12; at + 8 <= b.size();) {
    std::string id = Tag(b, at);
    uint32_t size = Le32(b, at + 4);
    if (at + 8 + size > b.size()) return w.error = "chunk '" + id + "' runs past the end", w;
    if (id == "fmt ") {
      if (size != 16) return w.error = "fmt chunk is not 16 bytes", w;
      w.tag = Le16(b, at + 8), w.channels = Le16(b, at + 10), w.rate = Le32(b, at + 12);
      w.byte_rate = Le32(b, at + 16), w.block = Le16(b, at + 20), w.bits = Le16(b, at + 22);
      have_fmt = true;
    } else if (id == "data") {
      if (!have_fmt) return w.error = "data before fmt", w;
      if (w.block == 0 || size % w.block) return w.error = "data is not whole frames", w;
      w.data_size = size;
      for (size_t i = at + 8; i < at + 8 + size; i += w.bits / 8)
        w.samples.push_back(w.bits == 8 ? (b[i] - 128) / 128.0 : int16_t(Le16(b, i)) / 32768.0);
      have_data = true;
    }
    at += 8 + size + (size & 1);
  }
  if (!have_fmt || !have_data) w.error = "missing fmt or data chunk";
  return w;
}

std::string FormatName(const Wav& w) {
  return std::to_string(w.bits) + "-bit " + std::to_string(w.channels) + "ch " + std::to_string(w.rate);
}

std::map<std::string, Wav> LoadAll() {
  std::map<std::string, Wav> all;
  for (const std::string& name : kSounds) all[name] = ParseWav(ReadBytes(DatPath(name)));
  return all;
}

TEST(SoundAssets, EverySoundTheGameNamesIsThere) {
  EXPECT_EQ(kSounds.size(), 56u);
  EXPECT_EQ(std::set<std::string>(kSounds.begin(), kSounds.end()).size(), kSounds.size());
  for (const std::string& name : kSounds) EXPECT_TRUE(std::filesystem::exists(DatPath(name))) << name;

  // What the game's code asks for, wherever it is written.
  std::vector<std::string> named = NamesInGameSources(".wav");
  EXPECT_GE(named.size(), 40u) << "the game's sources name too few sounds: has the scan broken?";
  for (const std::string& name : named) EXPECT_TRUE(std::filesystem::exists(DatPath(name))) << name;

  // The wrapping and folding sounds come from the materials table.
  std::set<std::string> wrap_sounds;
  for (int c = 0; c < 8; ++c) {
    const WrapStyle* style = WrapStyleFor(c);
    ASSERT_NE(style, nullptr) << "wrap class " << c;
    for (const char* name : {style->wrap_sound, style->fold_sound}) {
      wrap_sounds.insert(name);
      EXPECT_TRUE(std::filesystem::exists(DatPath(name))) << name;
      EXPECT_NE(std::find(kSounds.begin(), kSounds.end(), name), kSounds.end()) << name;
    }
  }
  EXPECT_EQ(wrap_sounds.size(), 16u);
}

TEST(SoundAssets, FilesArePlainPcmInOurThreeFormats) {
  const std::set<std::string> allowed = {"8-bit 1ch 11025", "16-bit 1ch 22050", "16-bit 2ch 44100"};
  std::map<std::string, int> used;
  for (const auto& [name, w] : LoadAll()) {
    ASSERT_EQ(w.error, "") << name;
    EXPECT_EQ(w.tag, 1u) << name;
    EXPECT_TRUE(allowed.count(FormatName(w))) << name << ": " << FormatName(w);
    EXPECT_EQ(w.block, w.channels * w.bits / 8) << name;
    EXPECT_EQ(w.byte_rate, w.rate * w.block) << name;
    EXPECT_EQ(w.data_size, w.Frames() * w.block) << name;
    ++used[FormatName(w)];
  }
  // Each format is really played, so the loader's conversions all get used.
  for (const std::string& f : allowed) EXPECT_GE(used[f], 5) << f;
}

TEST(SoundAssets, LevelsAndLengthsSuitTheGame) {
  const double kMinus1dB = std::pow(10.0, -1 / 20.0), kMinus30dB = std::pow(10.0, -30 / 20.0);
  for (const auto& [name, w] : LoadAll()) {
    ASSERT_EQ(w.error, "") << name;
    ASSERT_FALSE(w.samples.empty()) << name;
    double peak = 0;
    for (double x : w.samples) peak = std::max(peak, std::fabs(x));
    EXPECT_LE(peak, kMinus1dB) << name << " clips or comes too close to full scale";
    EXPECT_GE(peak, kMinus30dB) << name << " is nearly silent";
    EXPECT_GE(w.Seconds(), 0.02) << name;
    EXPECT_LE(w.Seconds(), 3.5) << name;
    // No click at either end: the first and last frames are near silence.
    for (size_t i : {size_t(0), w.samples.size() - 1}) EXPECT_LE(std::fabs(w.samples[i]), 0.02) << name;
  }
  // The typing sound plays under every message line; pointer ticks and the
  // click sound come constantly too: they stay short.
  std::map<std::string, Wav> all = LoadAll();
  EXPECT_LE(all["moji.wav"].Seconds(), 0.08);
  for (const char* name : {"key.wav", "key2.wav", "3.wav", "pi.wav"})
    EXPECT_LE(all[name].Seconds(), 0.15) << name;
}

// The RMS of the loudest 50 ms (channels averaged), in dBFS: how loud a short
// sound is heard.
double LoudestWindowDb(const Wav& w) {
  size_t frames = w.Frames(), win = std::min(frames, size_t(w.rate / 20));
  auto power = [&](size_t f) {
    double m = 0;
    for (uint32_t c = 0; c < w.channels; ++c) m += w.samples[f * w.channels + c];
    m /= w.channels;
    return m * m;
  };
  double sum = 0, best = 0;
  for (size_t f = 0; f < frames; ++f) {
    sum += power(f);
    if (f >= win) sum -= power(f - win);
    if (f + 1 >= win) best = std::max(best, sum / double(win));
  }
  return 10 * std::log10(std::max(best, 1e-12));
}

double PeakDb(const Wav& w) {
  double peak = 0;
  for (double x : w.samples) peak = std::max(peak, std::fabs(x));
  return 20 * std::log10(std::max(peak, 1e-12));
}

// The mix: no effect stands out of the others. The loudest sample of any
// effect stays at -5 dBFS or under and its loudest 50 ms at -15 dBFS RMS or
// under (a little slack for 8-bit rounding), leaving the music room beside
// them without clipping; the interface as a whole is not quiet either.
TEST(SoundAssets, EffectsAreLevelledUnderOneCeiling) {
  std::vector<double> loudness;
  for (const auto& [name, w] : LoadAll()) {
    ASSERT_EQ(w.error, "") << name;
    EXPECT_LE(PeakDb(w), -5 + 0.1) << name << " peaks above the effects' ceiling";
    EXPECT_LE(LoudestWindowDb(w), -15 + 0.3) << name << " is heard louder than the other effects";
    loudness.push_back(LoudestWindowDb(w));
  }
  std::sort(loudness.begin(), loudness.end());
  EXPECT_GE(loudness[loudness.size() / 2], -17) << "the effects as a whole have become quiet";
}

// Turning a customer away happens often: the crying is short and soft, and
// not a long trembling whine.
TEST(SoundAssets, CryingIsShortAndSoft) {
  std::map<std::string, Wav> all = LoadAll();
  for (const char* name : {"naki.wav", "naki2.wav", "naki3.wav"}) {
    const Wav& w = all[name];
    ASSERT_EQ(w.error, "") << name;
    EXPECT_LT(w.Seconds(), 1.0) << name;
    EXPECT_LE(PeakDb(w), -9) << name;
    double sum = 0;
    for (double x : w.samples) sum += x * x;
    EXPECT_LE(10 * std::log10(sum / double(w.samples.size())), -18.5) << name << " is too loud overall";
  }
}

// Expected length of a sound after the loader's conversion to the session's format.
int32_t ConvertedLength(const Wav& w, const TPcmFormat& out) {
  int64_t frames = int64_t(w.Frames());
  if (w.rate < out.samples_per_sec) {
    frames *= out.samples_per_sec / w.rate;
  } else if (w.rate > out.samples_per_sec) {
    uint32_t group = (w.rate + out.samples_per_sec / 2) / out.samples_per_sec;
    frames /= group;
  }
  return int32_t(frames * out.channels);
}

TEST(SoundAssets, TheGamesWaveLoaderAcceptsEverySound) {
  VirtualWaveOut device;
  TMixSession* session =
      InitSession(device, (std::filesystem::temp_directory_path() / "no_such_dir/SOUNDMIX.INI").string());
  ASSERT_NE(session, nullptr);
  for (const auto& [name, w] : LoadAll()) {
    try {
      TMixWave* wave = LoadWave(session, DatPath(name), kLoadFile);
      EXPECT_EQ(wave->length, ConvertedLength(w, session->format)) << name;
      int loudest = 0;
      for (int32_t i = 0; i < wave->length; ++i)
        loudest = std::max(loudest, std::abs(int(wave->data[i]) - 128));
      EXPECT_GT(loudest, 3) << name << " is silent after conversion";
      ReleaseWave(session, wave);
    } catch (const ESoundMixerError& e) {
      ADD_FAILURE() << name << ": " << e.what();
    }
  }
  EndSession(session);
}

TEST(SoundAssets, GenerationIsDeterministic) {
  ScratchDir first("sounds_a"), second("sounds_b");
  ASSERT_TRUE(RunGenerator(first.path, "sounds"));
  ASSERT_TRUE(RunGenerator(second.path, "sounds"));
  for (const std::string& name : kSounds) {
    std::vector<uint8_t> a = ReadBytes((first.path / "dat" / name).string());
    ASSERT_FALSE(a.empty()) << name;
    EXPECT_EQ(a, ReadBytes((second.path / "dat" / name).string())) << name << " differs between two runs";
    EXPECT_EQ(a, ReadBytes(DatPath(name))) << name << " differs from the built game's copy";
  }
}

}  // namespace
