// Random and mutated WAV files for the loader's robustness runs.
#pragma once

#include <random>

#include "sound/mixer/tests/wav_builder.h"

class WavMutator {
 public:
  explicit WavMutator(uint32_t seed) : rng_(seed) {}

  std::vector<uint8_t> Next() {
    switch (Pick(10)) {
      case 0:
        return Noise();
      case 1:
        return Mutate(Noise(true));
      default:
        return Mutate(Plausible());
    }
  }

 private:
  uint32_t Pick(uint32_t n) { return std::uniform_int_distribution<uint32_t>(0, n - 1)(rng_); }

  std::vector<uint8_t> Bytes(size_t n) {
    std::vector<uint8_t> v(n);
    for (auto& b : v) b = static_cast<uint8_t>(Pick(256));
    return v;
  }

  // Random bytes, optionally behind a RIFF/WAVE header.
  std::vector<uint8_t> Noise(bool riff_header = false) {
    std::vector<uint8_t> v = Bytes(Pick(200));
    if (!riff_header) return v;
    return Riff(v);
  }

  // A well-formed file of some format that may or may not be playable.
  std::vector<uint8_t> Plausible() {
    static const uint32_t kRates[] = {0,     1,     7,     4000,  8000,  11025,     16000,
                                      22050, 32000, 44100, 48000, 96000, 0xFFFFFFFF};
    static const uint16_t kBits[] = {0, 1, 8, 8, 16, 16, 12, 24, 32};
    WavFormat w;
    w.format_tag = Pick(8) == 0 ? static_cast<uint16_t>(Pick(4)) : 1;
    w.channels = static_cast<uint16_t>(Pick(6) == 0 ? Pick(9) : 1 + Pick(2));
    w.rate = kRates[Pick(std::size(kRates))];
    w.bits = kBits[Pick(std::size(kBits))];
    w.fmt_size = Pick(6) == 0 ? 12 + Pick(10) : 16;
    std::vector<uint8_t> chunks;
    if (Pick(4) == 0) PutChunk(chunks, "LIST", Bytes(Pick(9)));
    PutChunk(chunks, "fmt ", FmtBody(w));
    if (Pick(4) == 0) PutChunk(chunks, "fact", Bytes(4));
    PutChunk(chunks, "data", Bytes(Pick(1024)));
    return Riff(chunks);
  }

  std::vector<uint8_t> Mutate(std::vector<uint8_t> v) {
    const uint32_t edits = Pick(4);
    for (uint32_t i = 0; i < edits && !v.empty(); ++i) {
      const size_t at = Pick(static_cast<uint32_t>(v.size()));
      switch (Pick(6)) {
        case 0:
          v[at] ^= static_cast<uint8_t>(1 << Pick(8));
          break;
        case 1:
          v[at] = static_cast<uint8_t>(Pick(256));
          break;
        case 2:
          v.resize(at);  // truncated
          break;
        case 3:  // a chunk size or field turned extreme
          for (size_t k = at; k < std::min(v.size(), at + 4); ++k) v[k] = Pick(2) ? 0xFF : 0x00;
          break;
        case 4:
          v.insert(v.begin() + at, static_cast<uint8_t>(Pick(256)));
          break;
        default: {
          const size_t len = std::min<size_t>(v.size() - at, Pick(32));
          v.insert(v.end(), v.begin() + at, v.begin() + at + len);
        }
      }
    }
    return v;
  }

  std::mt19937 rng_;
};
