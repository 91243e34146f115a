// RIFF/WAVE PCM encoding of a synthesized sound.
#include "tools/assetgen/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace assetgen {
namespace {

void Put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, v & 0xffff);
  Put16(b, v >> 16);
}
void PutTag(std::vector<uint8_t>& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(tag[i]));
}

}  // namespace

std::vector<uint8_t> EncodeWav(const synth::Audio& audio, PcmFormat format) {
  if ((format.bits != 8 && format.bits != 16) || (format.channels != 1 && format.channels != 2))
    throw std::runtime_error("unsupported PCM format");
  if (audio.rate != format.rate) throw std::runtime_error("sound rendered at the wrong rate");
  size_t frames = audio.left.size();
  if (format.bits == 8 && format.channels == 1 && frames % 2) ++frames;
  auto sample = [&](size_t i, int ch) -> double {
    if (i >= audio.left.size()) return 0;
    double l = audio.left[i], r = audio.Stereo() ? audio.right[i] : l;
    if (format.channels == 1) return (l + r) / 2;
    return ch ? r : l;
  };
  uint32_t block = uint32_t(format.channels * format.bits / 8);
  uint32_t data_size = uint32_t(frames * block);
  std::vector<uint8_t> b;
  b.reserve(44 + data_size);
  PutTag(b, "RIFF");
  Put32(b, 36 + data_size);
  PutTag(b, "WAVE");
  PutTag(b, "fmt ");
  Put32(b, 16);
  Put16(b, 1);  // PCM
  Put16(b, uint32_t(format.channels));
  Put32(b, uint32_t(format.rate));
  Put32(b, uint32_t(format.rate) * block);
  Put16(b, block);
  Put16(b, uint32_t(format.bits));
  PutTag(b, "data");
  Put32(b, data_size);
  for (size_t i = 0; i < frames; ++i) {
    for (int ch = 0; ch < format.channels; ++ch) {
      double x = std::clamp(sample(i, ch), -1.0, 1.0);
      if (format.bits == 8)
        b.push_back(uint8_t(std::clamp<long>(std::lround(x * 127) + 128, 0, 255)));
      else
        Put16(b, uint16_t(int16_t(std::clamp<long>(std::lround(x * 32767), -32768, 32767))));
    }
  }
  return b;
}

void WriteAudioAsset(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) throw std::runtime_error("cannot write " + path);
  f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!f) throw std::runtime_error("failed writing " + path);
}

}  // namespace assetgen
