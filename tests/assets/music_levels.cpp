// The music as the game plays it (FluidSynth at the game's gain, the pieces
// looping) measured over a minute: it sits a few dB under the effects, loud
// enough to be heard, and its peaks leave room for the loudest effect on top
// without clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/fluid_music.h"

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

TEST(MusicLevels, EachPieceSitsUnderTheEffectsWithoutClipping) {
  ASSERT_NE(FindSoundfont(), "") << "no General MIDI soundfont installed (timgm6mb-soundfont)";
  // The effects peak at -5 dBFS at most (see the sound asset checks).
  const double effects_peak = std::pow(10.0, -5 / 20.0);
  for (const char* piece : {"col.mid", "shop.mid", "star.mid"}) {
    Level level = Measure(std::string(TEST_DIST_DIR) + "/dat/" + piece, 60);
    std::printf("%-9s peak %.3f (%.1f dBFS), RMS %.1f dBFS over a minute\n", piece, level.peak,
                20 * std::log10(std::max(level.peak, 1e-6)), level.rms_db);
    EXPECT_GT(level.peak, 0.05) << piece << " did not play";
    EXPECT_LE(level.peak + effects_peak, 1.0) << piece << " would clip under the loudest effect";
    // Effects run at about -21 dBFS RMS while they sound: the music 3-6 dB under.
    EXPECT_GE(level.rms_db, -27.5) << piece << " is too quiet to be heard under the effects";
    EXPECT_LE(level.rms_db, -23.5) << piece << " crowds the effects";
  }
}

}  // namespace
