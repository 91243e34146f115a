// Builds WAV files in memory for the mixer's tests, well-formed or broken.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WavFormat {
  uint16_t format_tag = 1;
  uint16_t channels = 1;
  uint32_t rate = 11025;
  uint16_t bits = 8;
  uint32_t fmt_size = 16;  // declared size of the format chunk
};

inline void PutLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline void PutChunk(std::vector<uint8_t>& out, const char* id, const std::vector<uint8_t>& body) {
  out.insert(out.end(), id, id + 4);
  PutLe(out, static_cast<uint32_t>(body.size()), 4);
  out.insert(out.end(), body.begin(), body.end());
  if (body.size() & 1) out.push_back(0);
}

inline std::vector<uint8_t> FmtBody(const WavFormat& w) {
  std::vector<uint8_t> f;
  const uint16_t align = static_cast<uint16_t>(w.channels * w.bits / 8);
  PutLe(f, w.format_tag, 2);
  PutLe(f, w.channels, 2);
  PutLe(f, w.rate, 4);
  PutLe(f, w.rate * align, 4);
  PutLe(f, align, 2);
  PutLe(f, w.bits, 2);
  f.resize(w.fmt_size, 0);
  return f;
}

// RIFF/WAVE around the given chunks (already encoded).
inline std::vector<uint8_t> Riff(const std::vector<uint8_t>& chunks, const char* form = "WAVE") {
  std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
  PutLe(out, static_cast<uint32_t>(chunks.size() + 4), 4);
  out.insert(out.end(), form, form + 4);
  out.insert(out.end(), chunks.begin(), chunks.end());
  return out;
}

inline std::vector<uint8_t> MakeWav(const WavFormat& w, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> chunks;
  PutChunk(chunks, "fmt ", FmtBody(w));
  PutChunk(chunks, "data", data);
  return Riff(chunks);
}

// 16-bit samples, little-endian, interleaved as given.
inline std::vector<uint8_t> Samples16(const std::vector<int16_t>& s) {
  std::vector<uint8_t> out;
  for (int16_t v : s) PutLe(out, static_cast<uint16_t>(v), 2);
  return out;
}
