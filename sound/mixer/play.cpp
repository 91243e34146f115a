// Queueing sounds on channels, and the pump that retires what the device
// has played and keeps the blocks filled.
#include <algorithm>

#include "sound/mixer/internal.h"

namespace {

int ChooseChannel(TMixSession* s, const TMixPlayParams* params) {
  if (!(params->flags & kPlayLeastRecent)) return params->channel;
  // An idle candidate ends the search; otherwise the oldest stamp wins.
  int candidate = 0;
  for (int c = 0; c < kMixChannels; ++c) {
    if (!IsOpen(s, c)) continue;
    if (s->queues[candidate] == nullptr) break;
    if (s->last_used[c] < s->last_used[candidate]) candidate = c;
  }
  return candidate;
}

void AppendPending(TMixSession* s, TQueuedPlay* e) {
  if (s->pending == nullptr) {
    e->next = e;
  } else {
    e->next = s->pending->next;
    s->pending->next = e;
  }
  s->pending = e;
}

int32_t EndOf(const TQueuedPlay* e) {
  if (e->params.loops == kLoopForever) return kEndless;
  const int64_t end = e->start + (int64_t{e->params.loops} + 1) * e->length - 1;
  return static_cast<int32_t>(std::min<int64_t>(end, kEndless));
}

// Puts one pending play into its channel; true when it starts before what
// is already mixed.
bool Place(TMixSession* s, TQueuedPlay* e, int32_t now) {
  const int c = e->params.channel;
  const bool priority = e->params.flags & kPlayHighPriority;
  e->next = nullptr;
  bool remix;
  if (e->params.flags & kPlayClearQueue) {
    GiveBackQueue(s->queues[c]);
    s->queues[c] = e;
    e->start = priority ? now : s->mix_position;
    remix = s->device_head != nullptr;
  } else if (s->queues[c] == nullptr) {
    s->queues[c] = e;
    e->start = priority ? now : s->mix_position;
    remix = e->start < s->mix_position;
  } else {
    TQueuedPlay* last = s->queues[c];
    while (last->next != nullptr) last = last->next;
    last->next = e;
    e->start = priority ? last->end : std::max(last->end, s->mix_position);
    remix = e->start < s->mix_position;
  }
  e->end = EndOf(e);
  return remix;
}

void PlacePending(TMixSession* s) {
  if (s->device_head == nullptr && AllChannelsEmpty(s)) Rebase(s, 0);
  const int32_t now = PlayPosition(s);
  TQueuedPlay* e = s->pending->next;  // oldest
  s->pending->next = nullptr;
  s->pending = nullptr;
  TQueuedPlay* remix_play = nullptr;
  while (e != nullptr) {
    TQueuedPlay* next = e->next;
    if (!IsOpen(s, e->params.channel)) {
      // Its channel was closed while it waited: drop it.
      GiveBack(e);
    } else if (Place(s, e, now)) {
      remix_play = e;
    } else if (remix_play != nullptr) {
      remix_play = e;  // the remix runs for the last placed play
    }
    e = next;
  }
  if (remix_play != nullptr) {
    s->remix(s, remix_play, remix_play->start);
  } else if (s->device_head == nullptr) {
    // Paused while the first blocks go in, so they start together.
    s->device->Pause();
    try {
      FillAndWrite(s);
    } catch (const ESoundMixerError&) {
      s->device->Restart();
      throw;
    }
    s->device->Restart();
  } else {
    FillAndWrite(s);
  }
}

}  // namespace

void MixerPlay(TMixPlayParams* params) {
  if (params == nullptr) Fail("nil parameters pointer passed to MixerPlay");
  TMixSession* s = CheckSession(params->session);
  // A wave without bytes is no more playable than none at all.
  if (params->wave == nullptr || params->wave->data == nullptr || params->wave->length <= 0)
    Fail("nil wave pointer passed to MixerPlay!");
  if (!s->activated) Fail("Wave device not allocated, call MixerActivate(hMixSession,TRUE)");
  if (s->open_channels == 0) Fail("You must open a channel before you can play a wave");

  const int c = ChooseChannel(s, params);
  if (c < 0 || c >= kMixChannels) Fail("Invalid channel number");
  params->channel = c;
  s->last_used[c] = ++s->play_stamp;
  if (!IsOpen(s, c)) Fail("The specified channel was not open");

  TQueuedPlay* e = TakeEntry();
  if (e == nullptr) Fail("Not enough memory");
  e->params = *params;
  e->wave = params->wave;
  e->length = params->wave->length;
  e->first = params->wave->data;
  e->last = params->wave->data + params->wave->length - 1;
  AppendPending(s, e);
  if (params->flags & kPlayWait) return;
  PlacePending(s);
}

void Pump() {
  TMixSession* s = g_active;
  if (s == nullptr || !s->activated) return;
  g_current = s;
  for (TMixBlock* b = s->device_head; b != nullptr;) {
    TMixBlock* next = b->next;
    if (b->header.done) {
      // Blocks play in order, so a done block is at the head in practice;
      // unlinking anywhere keeps the queue right regardless.
      TMixBlock* prev = nullptr;
      for (TMixBlock* p = s->device_head; p != b; p = p->next) prev = p;
      (prev != nullptr ? prev->next : s->device_head) = next;
      if (s->device_tail == b) s->device_tail = prev;
      b->next = nullptr;
      b->available = 1;
    }
    b = next;
  }

  // Tell the listeners after the queues are consistent again, as a posted
  // message would arrive: a listener may well play or release a wave.
  struct Done {
    MixNotify* notify;
    int channel;
    TMixWave* wave;
  } done[kPoolSize];
  int done_count = 0;
  const int32_t heard = DevicePosition(s);
  for (int c = 0; c < kMixChannels; ++c) {
    if (!IsOpen(s, c)) continue;
    for (TQueuedPlay** link = &s->queues[c]; *link != nullptr;) {
      TQueuedPlay* e = *link;
      if (e->end > heard) {
        link = &e->next;
        continue;
      }
      *link = e->next;
      if (e->params.notify != nullptr) done[done_count++] = {e->params.notify, c, e->wave};
      GiveBack(e);
    }
  }
  FillAndWrite(s);
  for (int i = 0; i < done_count; ++i) done[i].notify->WaveDone(done[i].channel, done[i].wave);
}
