// Sound of the headless platform: unless a test installed its own, a silent
// wave output that plays by the platform's virtual clock, and no music.
#include "platform/headless/headless_platform.h"
#include "platform/music.h"
#include "platform/null_wave_out.h"
#include "platform/platform.h"

WaveOutDevice& HeadlessPlatform::WaveOut() {
  if (!wave_out) {
    wave_out = std::make_unique<NullWaveOut>([this] { return static_cast<uint32_t>(clock_ms); });
  }
  return *wave_out;
}

MusicPlayer& HeadlessPlatform::Music() {
  if (!music) music = std::make_unique<SilentMusicPlayer>();
  return *music;
}
