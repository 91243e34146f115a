// Converting a loaded sound once to the session's output format (8 bits,
// 1 or 2 channels, 11025/22050/44100 per second), so mixing never converts.
// Each step takes a new block and frees its input.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "sound/mixer/internal.h"

namespace {

// Swaps in a block of `bytes`; on failure frees the input and raises.
uint8_t* NewBlock(uint8_t*& data, int32_t bytes) {
  auto* out = static_cast<uint8_t*>(std::malloc(bytes > 0 ? bytes : 1));
  if (out == nullptr) {
    std::free(data);
    data = nullptr;
    Fail(kMemoryMessage);
  }
  return out;
}

void Unsupported(uint8_t*& data) {
  std::free(data);
  data = nullptr;
  Fail("File format not supported");
}

// A sound effect of more than 64 MB (over 25 minutes at the highest rate)
// is a lying header, such as a rate of 1 per second ramped up to 11025.
constexpr int64_t kMaxConvertedBytes = int64_t{64} << 20;

// The size of a step's result, refused before anything is allocated.
int32_t CheckedSize(uint8_t*& data, int64_t bytes) {
  if (bytes > kMaxConvertedBytes) Unsupported(data);
  return static_cast<int32_t>(bytes);
}

void Replace(uint8_t*& data, int32_t& length, uint8_t* out, int32_t out_length) {
  std::free(data);
  data = out;
  length = out_length;
}

// Signed 16-bit little-endian samples: the high byte, made unsigned.
void SixteenToEight(uint8_t*& data, int32_t& length) {
  const int32_t n = length / 2;
  uint8_t* out = NewBlock(data, n);
  for (int32_t i = 0; i < n; ++i) out[i] = static_cast<uint8_t>(data[2 * i + 1] + 128);
  Replace(data, length, out, n);
}

void MonoToStereo(uint8_t*& data, int32_t& length) {
  const int32_t n = CheckedSize(data, int64_t{length} * 2);
  uint8_t* out = NewBlock(data, n);
  for (int32_t i = 0; i < length; ++i) out[2 * i] = out[2 * i + 1] = data[i];
  Replace(data, length, out, n);
}

void StereoToMono(uint8_t*& data, int32_t& length) {
  const int32_t n = length / 2;
  uint8_t* out = NewBlock(data, n);
  for (int32_t i = 0; i < n; ++i) out[i] = static_cast<uint8_t>((data[2 * i] + data[2 * i + 1]) / 2);
  Replace(data, length, out, n);
}

// Each frame but the last ramps linearly towards the next; the last repeats.
void RateUp(uint8_t*& data, int32_t& length, int channels, int k) {
  const int32_t frames = length / channels;
  const int32_t n = CheckedSize(data, int64_t{frames} * k * channels);
  uint8_t* out = NewBlock(data, n);
  uint8_t* o = out;
  for (int32_t f = 0; f < frames; ++f) {
    const uint8_t* s0 = data + f * channels;
    const bool last = f == frames - 1;
    for (int j = 0; j < k; ++j) {
      for (int ch = 0; ch < channels; ++ch) {
        const int d = last ? 0 : (s0[channels + ch] - s0[ch]) / k;
        *o++ = static_cast<uint8_t>(s0[ch] + j * d);
      }
    }
  }
  Replace(data, length, out, n);
}

// Each output frame but the last averages a group of g source frames; the
// last is the first frame of its group. Leftover frames are dropped.
void RateDown(uint8_t*& data, int32_t& length, int channels, int g) {
  const int32_t m = length / channels / g;
  uint8_t* out = NewBlock(data, m * channels);
  for (int32_t f = 0; f < m; ++f) {
    const uint8_t* group = data + f * g * channels;
    for (int ch = 0; ch < channels; ++ch) {
      if (f == m - 1) {
        out[f * channels + ch] = group[ch];
        continue;
      }
      int sum = 0;
      for (int i = 0; i < g; ++i) sum += group[i * channels + ch] - 128;
      out[f * channels + ch] = static_cast<uint8_t>(128 + sum / g);
    }
  }
  Replace(data, length, out, m * channels);
}

}  // namespace

void ConvertWave(const TPcmFormat& source, const TPcmFormat& output, uint8_t*& data, int32_t& length) {
  if (source.samples_per_sec == output.samples_per_sec && source.channels == output.channels &&
      source.bits_per_sample == output.bits_per_sample)
    return;
  if ((source.bits_per_sample != 8 && source.bits_per_sample != 16) || output.bits_per_sample != 8)
    Unsupported(data);
  // Channel counts and rates the steps below cannot make sense of.
  if (source.channels < 1 || source.channels > 2 || source.samples_per_sec == 0) Unsupported(data);

  if (source.bits_per_sample == 16) SixteenToEight(data, length);
  if (source.channels == 1 && output.channels == 2) MonoToStereo(data, length);
  if (source.channels == 2 && output.channels == 1) StereoToMono(data, length);
  const int channels = output.channels;
  if (source.samples_per_sec < output.samples_per_sec) {
    const int k = static_cast<int>(output.samples_per_sec / source.samples_per_sec);
    if (k > 1) RateUp(data, length, channels, k);
  } else if (source.samples_per_sec > output.samples_per_sec) {
    const int64_t g = (int64_t{source.samples_per_sec} + output.samples_per_sec / 2) / output.samples_per_sec;
    if (g > 1) RateDown(data, length, channels, static_cast<int>(std::min<int64_t>(g, INT32_MAX)));
  }
}
