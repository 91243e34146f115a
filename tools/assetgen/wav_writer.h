// Writes a finished sound as a RIFF/WAVE file of plain PCM.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetgen/synth.h"

namespace assetgen {

struct PcmFormat {
  int bits;      // 8 (unsigned) or 16 (signed)
  int channels;  // 1 or 2
  int rate;      // samples per second
};
inline constexpr PcmFormat kPcm8Mono11k{8, 1, 11025};
inline constexpr PcmFormat kPcm16Mono22k{16, 1, 22050};
inline constexpr PcmFormat kPcm16Stereo44k{16, 2, 44100};

// The file's bytes: a 16-byte fmt chunk and one data chunk. A mono sound
// written as stereo is doubled; a stereo one written as mono is averaged.
// 8-bit mono data is padded to an even length so no pad byte is needed.
std::vector<uint8_t> EncodeWav(const synth::Audio& audio, PcmFormat format);
void WriteAudioAsset(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace assetgen
