// The silent wave output: blocks are "played" at the format's byte rate as
// the clock advances.
#include "platform/null_wave_out.h"

#include <algorithm>

bool IsPlayablePcm(const TPcmFormat& f) {
  return f.format_tag == 1 && f.bits_per_sample == 8 && (f.channels == 1 || f.channels == 2) &&
         f.samples_per_sec >= 8000 && f.samples_per_sec <= 48000 && f.block_align == f.channels &&
         f.bytes_per_sec == f.samples_per_sec * f.channels;
}

NullWaveOut::NullWaveOut(std::function<uint32_t()> clock_ms) : clock_ms_(std::move(clock_ms)) {}

bool NullWaveOut::GetCaps(int device_id, WaveOutCaps& caps) {
  if (device_id < -1 || device_id > 0) return false;
  caps.product_name = kProductName;
  caps.channels = 2;
  caps.support = 0;
  return true;
}

bool NullWaveOut::SupportsFormat(int device_id, const TPcmFormat& format) {
  return device_id >= -1 && device_id <= 0 && IsPlayablePcm(format);
}

int NullWaveOut::Open(int device_id, const TPcmFormat& format) {
  if (device_id < -1 || device_id > 0) return 2;  // bad device id
  if (!IsPlayablePcm(format)) return 32;          // unsupported format
  std::lock_guard lock(mutex_);
  if (open_) return 4;  // already allocated
  open_ = true;
  paused_ = false;
  bytes_per_sec_ = format.bytes_per_sec;
  block_align_ = format.block_align;
  head_ = count_ = 0;
  offset_ = position_ = 0;
  remainder_ = 0;
  last_clock_ = clock_ms_();
  return 0;
}

void NullWaveOut::Close() {
  std::lock_guard lock(mutex_);
  DropQueueLocked();
  open_ = false;
}

int NullWaveOut::Write(WaveHeader* header) {
  if (!header || !header->data) return 11;  // invalid parameter
  std::lock_guard lock(mutex_);
  if (!open_) return 5;  // invalid handle
  CatchUpLocked();
  if (count_ == kMaxQueued) return 7;  // no memory for another buffer
  if (count_ == 0) {
    // A starved output starts again from the moment it gets data.
    last_clock_ = clock_ms_();
    remainder_ = 0;
  }
  header->done.store(false);
  queue_[(head_ + count_) % kMaxQueued] = header;
  ++count_;
  return 0;
}

uint32_t NullWaveOut::Position() {
  std::lock_guard lock(mutex_);
  CatchUpLocked();
  return position_;
}

void NullWaveOut::Pause() {
  std::lock_guard lock(mutex_);
  CatchUpLocked();
  paused_ = true;
}

void NullWaveOut::Restart() {
  std::lock_guard lock(mutex_);
  CatchUpLocked();
  paused_ = false;
}

void NullWaveOut::Reset() {
  std::lock_guard lock(mutex_);
  DropQueueLocked();
  position_ = 0;
}

bool NullWaveOut::TakeFinished() {
  std::lock_guard lock(mutex_);
  CatchUpLocked();
  bool finished = finished_;
  finished_ = false;
  return finished;
}

int NullWaveOut::MsUntilNextDone() {
  std::lock_guard lock(mutex_);
  CatchUpLocked();
  if (!open_ || paused_ || count_ == 0) return -1;
  uint64_t left = queue_[head_]->length - offset_;
  uint64_t byte_ms = left * 1000;
  byte_ms = byte_ms > remainder_ ? byte_ms - remainder_ : 0;
  return static_cast<int>((byte_ms + bytes_per_sec_ - 1) / bytes_per_sec_);
}

bool NullWaveOut::IsOpen() {
  std::lock_guard lock(mutex_);
  return open_;
}

void NullWaveOut::CatchUpLocked() {
  uint32_t now = clock_ms_();
  uint32_t elapsed = now - last_clock_;  // wraps correctly
  last_clock_ = now;
  if (paused_) return;
  if (!open_ || count_ == 0) {
    remainder_ = 0;
    return;
  }
  uint64_t byte_ms = uint64_t(elapsed) * bytes_per_sec_ + remainder_;
  uint64_t bytes = byte_ms / 1000;
  remainder_ = byte_ms % 1000;
  // Whole frames only, as a real device plays them.
  uint64_t frames = bytes / block_align_;
  remainder_ += (bytes % block_align_) * 1000;
  bytes = frames * block_align_;
  while (count_ > 0) {
    WaveHeader* front = queue_[head_];
    if (bytes == 0 && offset_ < front->length) break;
    uint32_t take = static_cast<uint32_t>(std::min<uint64_t>(bytes, front->length - offset_));
    offset_ += take;
    position_ += take;
    bytes -= take;
    if (offset_ >= front->length) {
      front->done.store(true);
      head_ = (head_ + 1) % kMaxQueued;
      --count_;
      offset_ = 0;
      finished_ = true;
    }
  }
  if (count_ == 0) remainder_ = 0;  // ran dry: the rest of the time was silence
}

void NullWaveOut::DropQueueLocked() {
  if (count_ > 0) finished_ = true;
  while (count_ > 0) {
    queue_[head_]->done.store(true);
    head_ = (head_ + 1) % kMaxQueued;
    --count_;
  }
  offset_ = 0;
  remainder_ = 0;
  last_clock_ = clock_ms_();
}
