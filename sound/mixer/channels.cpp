// The pool of queue entries and the opening, flushing and closing of the
// eight channels.
#include "sound/mixer/internal.h"

namespace {

// Every queue entry the mixer will ever use; linked at session start.
TQueuedPlay g_pool[kPoolSize];
TQueuedPlay* g_free = nullptr;

void CheckChannel(const TMixSession* s, int c) {
  if (c < 0 || c >= kMixChannels) Fail("Invalid channel number");
  if (!IsOpen(s, c)) Fail("The specified channel was not open");
}

}  // namespace

void LinkPool() {
  g_free = nullptr;
  for (int i = kPoolSize - 1; i >= 0; --i) {
    g_pool[i] = TQueuedPlay{};
    g_pool[i].next = g_free;
    g_free = &g_pool[i];
  }
}

TQueuedPlay* TakeEntry() {
  TQueuedPlay* e = g_free;
  if (e == nullptr) return nullptr;
  g_free = e->next;
  *e = TQueuedPlay{};
  return e;
}

void GiveBack(TQueuedPlay* entry) {
  entry->next = g_free;
  g_free = entry;
}

void GiveBackQueue(TQueuedPlay* head) {
  while (head != nullptr) {
    TQueuedPlay* next = head->next;
    GiveBack(head);
    head = next;
  }
}

int FreeEntries() {
  int n = 0;
  for (TQueuedPlay* e = g_free; e != nullptr; e = e->next) ++n;
  return n;
}

void OpenChannels(TMixSession* session, int n, int mode) {
  TMixSession* s = CheckSession(session);
  if (mode >= 3) Fail("Invalid Flags");
  if (mode < 0) Fail("Invalid flag");
  if (mode == kOpenOne && (n < 0 || n >= kMixChannels)) Fail("Invalid channel number");
  if (mode == kOpenFirst && (n > kMixChannels || n <= 0)) Fail("Invalid number of channels");
  if (mode == kOpenOne) {
    if (IsOpen(s, n)) Fail("The channel has already been opened");
    s->queues[n] = nullptr;
    ++s->open_channels;
    return;
  }
  const int count = mode == kOpenAll ? kMixChannels : n;
  for (int c = 0; c < count; ++c) {
    if (IsOpen(s, c)) continue;
    s->queues[c] = nullptr;
    ++s->open_channels;
  }
}

void FlushChannels(TMixSession* session, int channel, uint32_t flags) {
  TMixSession* s = CheckSession(session);
  if (!(flags & kFlushAll)) CheckChannel(s, channel);
  bool removed = false;
  for (int c = 0; c < kMixChannels; ++c) {
    if (!(flags & kFlushAll) && c != channel) continue;
    if (!IsOpen(s, c) || s->queues[c] == nullptr) continue;
    GiveBackQueue(s->queues[c]);
    s->queues[c] = nullptr;
    removed = true;
  }
  // Re-mix from now so that the removed sounds stop at once.
  if (removed && !(flags & kFlushNoRemix) && s->activated) s->remix(s, nullptr, PlayPosition(s));
}

void CloseChannels(TMixSession* session, int channel, uint32_t flags) {
  FlushChannels(session, channel, flags | kFlushNoRemix);
  TMixSession* s = session;
  for (int c = 0; c < kMixChannels; ++c) {
    if (!(flags & kFlushAll) && c != channel) continue;
    if (!IsOpen(s, c)) continue;
    s->queues[c] = ChannelClosed();
    --s->open_channels;
  }
}
