// A take of stereo 16-bit audio in fixed blocks, appended at the end and
// read anywhere: blocks never move once written, and those behind the reader
// can be let go when the take is too long to keep.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

class PcmTake {
 public:
  static constexpr int64_t kBlockFrames = 32768;  // 0.74 s at 44100 Hz, 128 KB

  int64_t frames() const { return frames_; }

  void Append(const int16_t* samples, int64_t count) {
    while (count > 0) {
      int64_t at = frames_ % kBlockFrames;
      if (at == 0) blocks_.push_back(std::make_unique<int16_t[]>(kBlockFrames * 2));
      int64_t n = std::min(count, kBlockFrames - at);
      std::copy(samples, samples + n * 2, blocks_.back().get() + at * 2);
      samples += n * 2;
      count -= n;
      frames_ += n;
    }
  }

  // Adds frames [from, from + count) into `out`, saturating. Frames past the
  // end, or let go, add nothing.
  void MixInto(int16_t* out, int64_t from, int64_t count) const {
    int64_t to = std::min(from + count, frames_);
    for (int64_t f = from; f < to;) {
      const auto& block = blocks_[static_cast<size_t>(f / kBlockFrames)];
      int64_t at = f % kBlockFrames, n = std::min(to - f, kBlockFrames - at);
      if (block) {
        const int16_t* in = block.get() + at * 2;
        int16_t* dst = out + (f - from) * 2;
        for (int64_t i = 0; i < n * 2; ++i)
          dst[i] = static_cast<int16_t>(std::clamp(dst[i] + in[i], -32768, 32767));
      }
      f += n;
    }
  }

  // Lets go of the blocks wholly before `frame`.
  void ForgetBefore(int64_t frame) {
    size_t end = std::min(static_cast<size_t>(frame / kBlockFrames), blocks_.size());
    for (; forgotten_ < end; ++forgotten_) blocks_[forgotten_].reset();
  }

  void Clear() {
    blocks_.clear();
    frames_ = 0;
    forgotten_ = 0;
  }

 private:
  std::vector<std::unique_ptr<int16_t[]>> blocks_;  // null where let go
  int64_t frames_ = 0;
  size_t forgotten_ = 0;  // blocks let go, from the first
};
