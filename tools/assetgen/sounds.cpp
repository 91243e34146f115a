// The "sounds" generator: renders every listed sound and writes dat/*.wav.
#include "tools/assetgen/sounds.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>
#include <string>

#include "tools/assetgen/assetgen.h"

namespace assetgen {
namespace {

std::vector<SoundDef>& Registry() {
  static std::vector<SoundDef> defs;
  return defs;
}

void GenerateSounds(const std::string& out) {
  std::set<std::string> seen;
  for (const SoundDef& def : AllSounds()) {
    if (!seen.insert(def.file).second)
      throw std::runtime_error(std::string("sound listed twice: ") + def.file);
    synth::Audio audio = RenderSound(def);
    WriteAudioAsset(out + "/dat/" + def.file, EncodeWav(audio, def.format));
  }
}

static Register reg("sounds", &GenerateSounds);

}  // namespace

SoundList::SoundList(std::initializer_list<SoundDef> defs) {
  Registry().insert(Registry().end(), defs.begin(), defs.end());
}

const std::vector<SoundDef>& AllSounds() {
  return Registry();
}

synth::Audio RenderSound(const SoundDef& def) {
  synth::Audio audio = def.make(def.format.rate);
  synth::RemoveDc(audio);
  synth::NormalizePeak(audio, def.peak_dbfs);
  synth::TrimTail(audio, -54);
  synth::FadeEdges(audio, 0.002, std::min(0.015, 0.2 * audio.Seconds()));
  synth::NormalizePeak(audio, def.peak_dbfs);  // the fades may have taken the first peak
  // Long, full sounds (voices, the cock) are heard louder than their peak
  // says: hold every sound to the same ceilings.
  double gain = std::min(1.0, std::pow(10.0, kPeakCeilingDb / 20) / synth::Peak(audio));
  double loud = synth::LoudestWindowRms(audio, kLoudnessWindow) * gain;
  gain *= std::min(1.0, std::pow(10.0, kLoudnessCeilingDb / 20) / std::max(loud, 1e-9));
  synth::Scale(audio, gain * 0.999);  // just under the ceilings, not on them after rounding
  return audio;
}

}  // namespace assetgen
