// The "music" generator: writes col.mid, shop.mid and star.mid to dat/.
#include "tools/assetgen/music.h"

#include <string>

#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/wav_writer.h"

namespace assetgen {

midi::Track Conductor(const char* title, double bpm, int beats_per_bar, int sharps) {
  midi::Track t(title);
  t.TimeSignature(0, beats_per_bar, 4);
  t.KeySignature(0, sharps, false);
  t.Tempo(0, bpm);
  return t;
}

void SetUpChannel(midi::Track& t, int channel, int program, int volume, int pan, int reverb) {
  t.Program(0, channel, program);
  t.Control(0, channel, 7, volume);
  t.Control(0, channel, 10, 64 + pan);
  t.Control(0, channel, 91, reverb);
}

namespace {

void GenerateMusic(const std::string& out) {
  WriteAudioAsset(out + "/dat/col.mid", midi::EncodeSmf(ComposeCollection()));
  WriteAudioAsset(out + "/dat/shop.mid", midi::EncodeSmf(ComposeShop()));
  WriteAudioAsset(out + "/dat/star.mid", midi::EncodeSmf(ComposeStar()));
}

static Register reg("music", &GenerateMusic);

}  // namespace
}  // namespace assetgen
