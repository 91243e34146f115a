// The virtual-clock wave output used by the mixer's and the game's tests.
#include "sound/mixer/tests/virtual_wave_out.h"

VirtualWaveOut::VirtualWaveOut() {
  caps.product_name = "Virtual Wave Out";
  caps.channels = 2;
  caps.support = 0;
}

bool VirtualWaveOut::GetCaps(int /*device_id*/, WaveOutCaps& out) {
  if (!caps_ok) return false;
  out = caps;
  return true;
}

bool VirtualWaveOut::SupportsFormat(int /*device_id*/, const TPcmFormat& f) {
  return format_ok && f.format_tag == 1 && f.channels >= 1 && f.channels <= caps.channels;
}

int VirtualWaveOut::Open(int device_id, const TPcmFormat& f) {
  if (open_error != 0) return open_error;
  format = f;
  opened_device = device_id;
  open = true;
  paused = false;
  position_ = 0;
  due_ = 0;
  ++opens;
  return 0;
}

void VirtualWaveOut::Close() {
  ForgetQueue();
  open = false;
  ++closes;
}

int VirtualWaveOut::Write(WaveHeader* header) {
  if (write_error != 0) return write_error;
  if (!open) return 5;  // an invalid handle, as the system would say
  header->done = false;
  queue_.push_back(header);
  ++writes;
  return 0;
}

void VirtualWaveOut::Pause() {
  paused = true;
  ++pauses;
}

void VirtualWaveOut::Restart() {
  paused = false;
  ++restarts;
}

void VirtualWaveOut::Reset() {
  ForgetQueue();
  position_ = 0;
  due_ = 0;
  ++resets;
}

void VirtualWaveOut::ForgetQueue() {
  for (WaveHeader* h : queue_) h->done = true;
  queue_.clear();
  head_offset_ = 0;
}

uint32_t VirtualWaveOut::Play(uint32_t bytes) {
  uint32_t played_now = 0;
  while (played_now < bytes && !queue_.empty()) {
    WaveHeader* h = queue_.front();
    const uint32_t n = std::min(bytes - played_now, h->length - head_offset_);
    if (record) played.insert(played.end(), h->data + head_offset_, h->data + head_offset_ + n);
    head_offset_ += n;
    played_now += n;
    position_ += n;
    bytes_played += n;
    if (head_offset_ == h->length) {
      queue_.pop_front();
      head_offset_ = 0;
      h->done = true;
      // The position already counts the block, as a real device's would.
      if (on_block_done) on_block_done();
    }
  }
  return played_now;
}

void VirtualWaveOut::Advance(uint32_t ms) {
  clock_us += uint64_t{ms} * 1000;
  if (!open || paused) return;
  due_ += uint64_t{ms} * 1000 * format.bytes_per_sec;
  const uint64_t bytes = due_ / 1000000;
  due_ %= 1000000;
  // A device that runs dry does not save up time to play later.
  Play(static_cast<uint32_t>(bytes));
}

void VirtualWaveOut::PlayBytes(uint32_t bytes) {
  if (!open || paused || format.bytes_per_sec == 0) return;
  const uint32_t n = Play(bytes);
  clock_us += uint64_t{n} * 1000000 / format.bytes_per_sec;
}
