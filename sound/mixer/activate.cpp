// Taking and giving up the output device: open it, set up the ring of
// blocks, and start mixing where the stream left off.
#include <new>

#include "sound/mixer/internal.h"

namespace {

void FreeBlocks(TMixSession* s) {
  delete[] s->blocks;
  delete[] s->block_data;
  s->blocks = nullptr;
  s->block_data = nullptr;
  s->device_head = s->device_tail = nullptr;
}

void Activate(TMixSession* s) {
  if (g_active == s) return;
  if (g_active != nullptr) Fail("Resource is already allocated to a process");
  // From here on the session counts as the device's owner, even when opening fails.
  g_active = s;
  const int error = s->device->Open(s->device_id, s->format);
  if (error != 0) Fail("Failed to open waveform output device #" + std::to_string(error));
  s->blocks = new (std::nothrow) TMixBlock[kBlocksAllocated];
  s->block_data = new (std::nothrow) uint8_t[kBlocksAllocated * kBlockBytes];
  if (s->blocks == nullptr || s->block_data == nullptr) {
    FreeBlocks(s);
    s->device->Close();
    Fail(kMemoryMessage);
  }
  for (int i = 0; i < kBlocksAllocated; ++i) {
    TMixBlock& b = s->blocks[i];
    b.header.data = s->block_data + i * kBlockBytes;
    b.header.length = static_cast<uint32_t>(s->block_length);
    b.header.done = true;
    b.available = 1;
    b.session = s;
  }
  s->activated = 1;
  Rebase(s, s->mix_position);
  FillAndWrite(s);
}

void Deactivate(TMixSession* s) {
  if (s->activated) {
    s->mix_position = PlayPosition(s);
    StopDevice(s);
    FreeDeviceQueue(s);
    FreeBlocks(s);
    s->device->Close();
  }
  s->activated = 0;
  if (g_active == s) g_active = nullptr;
}

}  // namespace

void MixerActivate(TMixSession* session, bool on) {
  TMixSession* s = CheckSession(session);
  if (on) {
    Activate(s);
  } else {
    Deactivate(s);
  }
}
