// libFuzzer entry for the WAV loader: one session at 22050 stereo, every
// input loaded from memory and, when it loads, played for a block.
#include "sound/mixer/internal.h"
#include "sound/mixer/tests/virtual_wave_out.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static VirtualWaveOut device = [] {
    VirtualWaveOut d;
    d.record = false;
    return d;
  }();
  static TMixSession* s = [] {
    TMixConfig config{10, 3, 2, 22};
    TMixSession* session = InitSession(device, "", &config);
    OpenChannels(session, 0, kOpenAll);
    MixerActivate(session, true);
    return session;
  }();
  static const uint8_t kEmpty = 0;
  try {
    TMixWave* w = LoadWave(s, TMemoryFile{size ? data : &kEmpty, static_cast<uint32_t>(size)});
    TMixPlayParams p;
    p.session = s;
    p.wave = w;
    p.flags = kPlayClearQueue;
    MixerPlay(&p);
    device.PlayBytes(static_cast<uint32_t>(s->block_length));
    Pump();
    ReleaseWave(s, w);
  } catch (const ESoundMixerError&) {
  }
  return 0;
}
