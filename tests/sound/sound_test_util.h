// Helpers shared by the sound tests: scratch folders, WAV and MIDI files
// written on the spot.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace sound_test {

// A fresh empty folder under the system's temporary folder.
inline std::filesystem::path ScratchDir(const std::string& name) {
  std::string leaf = "picolatte_";
  leaf += name;
  leaf += "_";
  leaf += std::to_string(::getpid());
  auto dir = std::filesystem::temp_directory_path() / leaf;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

inline void PutLe(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// 8-bit mono PCM WAV of `samples` bytes, all `value`.
inline void WriteWav(const std::filesystem::path& path, uint8_t value, uint32_t samples,
                     uint32_t rate = 11025) {
  std::vector<uint8_t> b;
  auto tag = [&](const char* t) { b.insert(b.end(), t, t + 4); };
  tag("RIFF");
  PutLe(b, 36 + samples, 4);
  tag("WAVE");
  tag("fmt ");
  PutLe(b, 16, 4);
  PutLe(b, 1, 2);     // PCM
  PutLe(b, 1, 2);     // mono
  PutLe(b, rate, 4);  // samples per second
  PutLe(b, rate, 4);  // bytes per second
  PutLe(b, 1, 2);     // block align
  PutLe(b, 8, 2);     // bits
  tag("data");
  PutLe(b, samples, 4);
  b.insert(b.end(), samples, value);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
}

// A Standard MIDI File (format 0, 96 ticks per quarter, 120 bpm): a piano
// note of `quarters` quarter notes (half a second each).
inline std::vector<uint8_t> MidiNote(int quarters = 1) {
  std::vector<uint8_t> track = {0x00, 0xC0, 0x00,        // program 0
                                0x00, 0x90, 60,   100};  // note on
  uint32_t ticks = 96u * quarters;                       // variable-length delta
  std::vector<uint8_t> delta;
  delta.push_back(ticks & 0x7F);
  while (ticks >>= 7) delta.insert(delta.begin(), 0x80 | (ticks & 0x7F));
  track.insert(track.end(), delta.begin(), delta.end());
  for (uint8_t byte : {0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00}) track.push_back(byte);  // note off, end
  std::vector<uint8_t> b = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k'};
  for (int i = 3; i >= 0; --i) b.push_back(static_cast<uint8_t>(track.size() >> (8 * i)));
  b.insert(b.end(), track.begin(), track.end());
  return b;
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace sound_test
