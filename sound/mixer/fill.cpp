// Filling output blocks: the channels' active plays are mixed in runs of
// bytes between events (a start, an end, a loop boundary), never sample by
// sample with bookkeeping.
#include <algorithm>
#include <cstring>

#include "sound/mixer/internal.h"

namespace {

// The play's bytes from stream position a on; a run never crosses the end
// of a repetition. Taking the offset modulo the length for every play (not
// only looping ones) changes nothing while the play is within its end, and
// keeps a play whose end was pushed far out from reading past its data.
const uint8_t* SourceAt(const TQueuedPlay* e, int64_t a) {
  return e->first + (a - e->start) % e->length;
}

void MixRun(uint8_t* out, int64_t a, int n, TQueuedPlay* const* started, int count) {
  if (count == 1) {
    std::memcpy(out, SourceAt(started[0], a), n);
    return;
  }
  // Sum of deviations from silence; eight full-scale channels fit in 16 bits.
  int16_t sum[kBlockBytes];
  const uint8_t* src = SourceAt(started[0], a);
  for (int i = 0; i < n; ++i) sum[i] = static_cast<int16_t>(src[i] - kSilence);
  for (int k = 1; k < count; ++k) {
    src = SourceAt(started[k], a);
    for (int i = 0; i < n; ++i) sum[i] = static_cast<int16_t>(sum[i] + src[i] - kSilence);
  }
  for (int i = 0; i < n; ++i) out[i] = static_cast<uint8_t>(std::clamp(sum[i] + kSilence, 0, 255));
}

}  // namespace

bool FillBlock(TMixSession* s, TMixBlock* block) {
  const int64_t a0 = s->mix_position;
  const int64_t block_end = a0 + s->block_length;
  TQueuedPlay* active[kMixChannels] = {};
  bool any = false;
  for (int c = 0; c < kMixChannels; ++c) {
    if (!IsOpen(s, c)) continue;
    TQueuedPlay* e = s->queues[c];
    while (e != nullptr && e->end <= a0) e = e->next;
    active[c] = e;
    any = any || e != nullptr;
  }
  if (!any) return false;

  uint8_t* out = block->header.data;
  for (int64_t a = a0; a < block_end;) {
    int64_t run_end = block_end;
    TQueuedPlay* started[kMixChannels];
    int count = 0;
    for (TQueuedPlay* e : active) {
      if (e == nullptr) continue;
      if (e->start > a) {
        run_end = std::min<int64_t>(run_end, e->start);
        continue;
      }
      run_end = std::min<int64_t>(run_end, e->end);
      const int64_t repetition_end = e->start + ((a - e->start) / e->length + 1) * e->length;
      run_end = std::min(run_end, repetition_end);
      started[count++] = e;
    }
    const int n = static_cast<int>(run_end - a);
    if (count == 0) {
      std::memset(out + (a - a0), kSilence, n);
    } else {
      MixRun(out + (a - a0), a, n, started, count);
    }
    a = run_end;
    // Finished plays hand over to the next in their channel; they stay
    // queued until the device has played past them.
    for (TQueuedPlay*& e : active) {
      while (e != nullptr && e->end <= a) e = e->next;
    }
  }
  block->position = static_cast<int32_t>(a0);
  block->session = s;
  block->header.length = static_cast<uint32_t>(s->block_length);
  s->mix_position = static_cast<int32_t>(block_end);
  return true;
}

void AppendToDevice(TMixSession* s, TMixBlock* block) {
  block->available = 0;
  block->next = nullptr;
  if (s->device_tail != nullptr) {
    s->device_tail->next = block;
  } else {
    s->device_head = block;
  }
  s->device_tail = block;
}

namespace {

void RemoveFromDevice(TMixSession* s, TMixBlock* block) {
  TMixBlock* prev = nullptr;
  for (TMixBlock* b = s->device_head; b != nullptr; prev = b, b = b->next) {
    if (b != block) continue;
    (prev != nullptr ? prev->next : s->device_head) = b->next;
    if (s->device_tail == b) s->device_tail = prev;
    break;
  }
  block->next = nullptr;
  block->available = 1;
}

}  // namespace

void WriteBlock(TMixSession* s, TMixBlock* block) {
  block->header.done = false;
  if (s->device->Write(&block->header) != 0) {
    RemoveFromDevice(s, block);
    Fail("Failed to write block to device");
  }
}

void FillAndWrite(TMixSession* s) {
  for (;;) {
    TMixBlock* free_block = nullptr;
    for (int i = 0; i < s->block_count && free_block == nullptr; ++i) {
      if (s->blocks[i].available) free_block = &s->blocks[i];
    }
    if (free_block == nullptr || !FillBlock(s, free_block)) return;
    AppendToDevice(s, free_block);
    WriteBlock(s, free_block);
  }
}

void FreeDeviceQueue(TMixSession* s) {
  for (TMixBlock* b = s->device_head; b != nullptr;) {
    TMixBlock* next = b->next;
    b->next = nullptr;
    b->available = 1;
    b = next;
  }
  s->device_head = s->device_tail = nullptr;
}
