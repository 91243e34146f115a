// Stream positions: where the listener is now, and re-basing the stream so
// that it runs on across device resets and re-activation.
#include "sound/mixer/internal.h"

namespace {

int64_t RawDevicePosition(TMixSession* s) {
  return s->activated ? s->device->Position() : 0;
}

}  // namespace

int32_t DevicePosition(TMixSession* s) {
  const int64_t d = RawDevicePosition(s);
  return static_cast<int32_t>(s->offset_added ? d + s->position_offset : d - s->position_offset);
}

int32_t PlayPosition(TMixSession* s) {
  if (s->good_position) return DevicePosition(s);
  // Unsigned difference: the millisecond clock may wrap.
  const uint32_t elapsed = s->device->ClockMs() - s->start_time;
  int64_t p = static_cast<int64_t>(elapsed) * s->format.bytes_per_sec / 1000;
  if (s->format.block_align >= 2) p &= ~int64_t{1};
  return static_cast<int32_t>(p);
}

void Rebase(TMixSession* s, int32_t p) {
  const int64_t d = RawDevicePosition(s);
  s->offset_added = d < p;
  s->position_offset = static_cast<int32_t>(d < p ? p - d : d - p);
  s->start_time = s->device->ClockMs() - static_cast<uint32_t>(int64_t{p} * 1000 / s->format.bytes_per_sec);
  s->mix_position = p;
}

void StopDevice(TMixSession* s) {
  const int32_t now = PlayPosition(s);
  s->device->Reset();
  Rebase(s, now);
}
