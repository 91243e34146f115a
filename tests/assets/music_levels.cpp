// The music as the game plays it (FluidSynth at the game's gain, the pieces
// looping) measured over a minute: it sits 4 to 7 dB under the effects as they
// sound, loud enough to be heard, and its peaks leave room for the loudest
// effect on top without clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/desktop/fluid_music.h"

namespace {

struct Level {
  double peak = 0;  // 0..1
  double rms_db = -120;
};

// Renders `seconds` of the piece the way the audio callback does, restarting
// it at its end as the game's music loop does.
Level Measure(const std::string& path, double seconds) {
  const int rate = 44100, chunk = 1024;
  std::unique_ptr<FluidMusic> music = FluidMusic::Create(rate);
  if (!music || !music->Open(path) || !music->Play()) return {};
  std::vector<int16_t> buf(chunk * 2);
  double sum = 0, peak = 0;
  long frames = long(seconds * rate);
  for (long done = 0; done < frames; done += chunk) {
    std::fill(buf.begin(), buf.end(), int16_t(0));
    uint32_t generation = 0;
    if (music->MixInto(buf.data(), chunk, generation)) music->Play();
    for (int16_t s : buf) {
      double x = s / 32768.0;
      sum += x * x;
      peak = std::max(peak, std::fabs(x));
    }
  }
  return {peak, 10 * std::log10(std::max(sum / double(frames * 2), 1e-12))};
}

// The RMS of a PCM WAV over its sounding part (10 ms blocks above -40 dBFS),
// in dBFS; -120 for a file that is not 8- or 16-bit PCM.
double ActiveRmsDb(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::vector<uint8_t> b{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  auto le = [&](size_t at, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | b[at + size_t(i)];
    return v;
  };
  uint32_t channels = 0, rate = 0, bits = 0;
  for (size_t at = 12; at + 8 <= b.size(); at += 8 + ((le(at + 4, 4) + 1) & ~1u)) {
    std::string tag(b.begin() + long(at), b.begin() + long(at) + 4);
    size_t size = std::min<size_t>(le(at + 4, 4), b.size() - at - 8), data = at + 8;
    if (tag == "fmt " && size >= 16)
      channels = le(data + 2, 2), rate = le(data + 4, 4), bits = le(data + 14, 2);
    if (tag != "data" || channels == 0 || (bits != 8 && bits != 16)) continue;
    size_t step = bits / 8, block = std::max<size_t>(1, rate / 100) * channels;
    double sum = 0, count = 0, bsum = 0;
    size_t n = size / step;
    for (size_t i = 0; i < n; ++i) {
      double x = bits == 8 ? (b[data + i] - 128) / 128.0 : int16_t(le(data + 2 * i, 2)) / 32768.0;
      bsum += x * x;
      if ((i + 1) % block == 0 || i + 1 == n) {
        size_t len = i % block + 1;
        if (bsum / double(len) > 1e-4) sum += bsum, count += double(len);
        bsum = 0;
      }
    }
    return count > 0 ? 10 * std::log10(sum / count) : -120;
  }
  return -120;
}

// The median of the effects' sounding RMS: how loud an effect is heard.
double EffectsLevelDb() {
  std::vector<double> levels;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(TEST_DIST_DIR) + "/dat"))
    if (entry.path().extension() == ".wav") levels.push_back(ActiveRmsDb(entry.path().string()));
  if (levels.empty()) return -120;
  std::sort(levels.begin(), levels.end());
  return levels[levels.size() / 2];
}

TEST(MusicLevels, EachPieceSitsUnderTheEffectsWithoutClipping) {
  ASSERT_NE(FindSoundfont(), "") << "no General MIDI soundfont installed (timgm6mb-soundfont)";
  // The effects peak at -5 dBFS at most (see the sound asset checks).
  const double effects_peak = std::pow(10.0, -5 / 20.0);
  const double effects = EffectsLevelDb();
  std::printf("effects   median RMS %.1f dBFS while they sound\n", effects);
  ASSERT_GT(effects, -40) << "no effects to measure against";
  for (const char* piece : {"col.mid", "shop.mid", "star.mid"}) {
    Level level = Measure(std::string(TEST_DIST_DIR) + "/dat/" + piece, 60);
    std::printf("%-9s peak %.3f (%.1f dBFS), RMS %.1f dBFS over a minute, %.1f dB under the effects\n", piece,
                level.peak, 20 * std::log10(std::max(level.peak, 1e-6)), level.rms_db,
                effects - level.rms_db);
    EXPECT_GT(level.peak, 0.05) << piece << " did not play";
    EXPECT_LE(level.peak + effects_peak, 1.0) << piece << " would clip under the loudest effect";
    EXPECT_LE(level.rms_db, effects - 4) << piece << " crowds the effects";
    EXPECT_GE(level.rms_db, effects - 7) << piece << " is too quiet to be heard under the effects";
  }
}

}  // namespace
