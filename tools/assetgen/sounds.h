// The game's sound effects: each sounds_*.cpp file lists the sounds of one
// family of events, and the "sounds" generator writes them all to dat/.
#pragma once

#include <initializer_list>
#include <vector>

#include "tools/assetgen/synth.h"
#include "tools/assetgen/wav_writer.h"

namespace assetgen {

struct SoundDef {
  const char* file;                // name in dat/
  PcmFormat format;                // how it is stored
  double peak_dbfs;                // loudness of its loudest sample, below 0
  synth::Audio (*make)(int rate);  // renders it at the format's rate
};

// Adds sound definitions to the set the generator writes.
struct SoundList {
  SoundList(std::initializer_list<SoundDef> defs);
};
const std::vector<SoundDef>& AllSounds();

// The level rules every effect keeps, so that none stands out of the mix:
// its loudest sample at most kPeakCeilingDb, its loudest 50 ms at most
// kLoudnessCeilingDb (RMS, dBFS).
inline constexpr double kPeakCeilingDb = -5;
inline constexpr double kLoudnessCeilingDb = -15;
inline constexpr double kLoudnessWindow = 0.05;  // seconds

// Renders one sound, finished: no DC, faded edges, peak set, and brought
// down to the level ceilings when it would stand out.
synth::Audio RenderSound(const SoundDef& def);

}  // namespace assetgen
