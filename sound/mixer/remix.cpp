// The two ways to start a sound earlier than what is already mixed: mix
// everything again from that point, or move the sound's start back to the
// mix position.
#include "sound/mixer/internal.h"

void FullRemix(TMixSession* s, TQueuedPlay* /*play*/, int32_t from) {
  FreeDeviceQueue(s);
  // The device stops before the blocks are refilled, so it never reads a
  // block while it changes; the stream position runs on from what was heard.
  StopDevice(s);
  s->mix_position = from;
  for (int i = 0; i < s->block_count; ++i) {
    TMixBlock* b = &s->blocks[i];
    if (!b->available) continue;
    if (!FillBlock(s, b)) break;
    AppendToDevice(s, b);
  }
  s->device->Pause();
  TMixBlock* written = nullptr;
  for (TMixBlock* b = s->device_head; b != nullptr; written = b, b = b->next) {
    b->header.done = false;
    if (s->device->Write(&b->header) == 0) continue;
    // This block and those behind it never reached the device: they must
    // not wait for a done flag that will never come.
    for (TMixBlock* r = b; r != nullptr;) {
      TMixBlock* next = r->next;
      r->next = nullptr;
      r->available = 1;
      r = next;
    }
    (written != nullptr ? written->next : s->device_head) = nullptr;
    s->device_tail = written;
    s->device->Restart();
    Fail("Failed to write block to device");
  }
  s->device->Restart();
}

void DelayedStart(TMixSession* s, TQueuedPlay* play, int32_t /*from*/) {
  if (play != nullptr && play->start < s->mix_position) {
    const int64_t shift = int64_t{s->mix_position} - play->start;
    const int64_t end = play->end + shift;
    play->start = s->mix_position;
    play->end = end > kEndless ? kEndless : static_cast<int32_t>(end);
  }
  Pump();
}
