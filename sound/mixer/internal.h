// The mixer's own records: the session, queue entries and output blocks,
// and the helpers the engine's files share. Not for users of the mixer.
#pragma once

#include <cstdint>
#include <string>

#include "sound/mixer/engine.h"

inline constexpr uint16_t kSessionMagic = 0x5432;
inline constexpr int kMixChannels = 8;
inline constexpr int kPoolSize = 100;       // queue entries, all of them, ever
inline constexpr int kBlocksAllocated = 6;  // output blocks taken at activation
inline constexpr int kBlockBytes = 4096;    // data bytes of each block
inline constexpr int32_t kEndless = INT32_MAX;
inline constexpr uint8_t kSilence = 128;

// One play in a channel queue (or waiting in the pending list).
struct TQueuedPlay {
  TQueuedPlay* next = nullptr;     // channel queue link, or pending ring link
  TMixPlayParams params;           // copy, with the final channel
  TMixWave* wave = nullptr;        // what is played
  int32_t length = 0;              // bytes of one repetition
  int32_t start = 0;               // stream position of the first byte
  int32_t end = 0;                 // stream position where it falls silent
  const uint8_t* first = nullptr;  // first data byte
  const uint8_t* last = nullptr;   // last data byte
};

// One output block: the device's header plus the mixer's bookkeeping.
struct TMixBlock {
  WaveHeader header;               // data, length = block length, done flag
  uint8_t available = 1;           // 1 = free for mixing
  int32_t position = 0;            // stream position of the block's first byte
  TMixSession* session = nullptr;  // the session that filled it
  TMixBlock* next = nullptr;       // link in the queue of blocks in the device
};

struct TMixSession;
using RemixRoutine = void (*)(TMixSession* session, TQueuedPlay* play, int32_t from);

struct TMixSession {
  uint16_t magic = 0;                      // kSessionMagic
  WaveOutDevice* device = nullptr;         // the output; open while activated
  uint8_t activated = 0;                   // 1 while the session owns the device
  int32_t device_id = 0;                   // device number, -1 = system default
  char settings_section[32] = {};          // INI section of this device
  TQueuedPlay* queues[kMixChannels] = {};  // queue heads; ChannelClosed() = closed
  int32_t open_channels = 0;               // count
  int32_t last_used[kMixChannels] = {};    // play stamp of the last play per channel
  int32_t play_stamp = 0;                  // +1 at every play
  TPcmFormat format;                       // output format, always 8 bits
  int32_t block_length = 0;                // bytes mixed per block, 512-4096
  int32_t block_count = 0;                 // blocks in use, 2-6
  int32_t mix_position = 0;                // stream position of the next byte to mix
  uint32_t start_time = 0;                 // clock (ms) at stream position 0
  uint8_t good_position = 0;               // 1 = ask the device, 0 = derive from the clock
  int32_t position_offset = 0;             // bytes between device and stream position
  RemixRoutine remix = nullptr;            // full remix or delayed start
  bool offset_added = false;               // position adjust: add (true) or subtract the offset
  TQueuedPlay* pending = nullptr;          // tail of the ring of plays not yet placed
  TMixBlock* blocks = nullptr;             // kBlocksAllocated, while activated
  uint8_t* block_data = nullptr;           // kBlocksAllocated x kBlockBytes
  TMixBlock* device_head = nullptr;        // oldest block in the device
  TMixBlock* device_tail = nullptr;        // newest block in the device
  uint16_t magic2 = 0;                     // kSessionMagic again
};

// Process-wide state: the one session, the one owning the device, the one
// being worked on, and the pool of queue entries.
extern TMixSession* g_session;
extern TMixSession* g_active;
extern TMixSession* g_current;

[[noreturn]] void Fail(const std::string& message);
extern const char* const kMemoryMessage;

TMixSession* CheckSession(TMixSession* session);
TQueuedPlay* ChannelClosed();
inline bool IsOpen(const TMixSession* s, int c) {
  return s->queues[c] != ChannelClosed();
}
bool AllChannelsEmpty(const TMixSession* s);

// Pool (channels.cpp).
void LinkPool();
TQueuedPlay* TakeEntry();
void GiveBack(TQueuedPlay* entry);
void GiveBackQueue(TQueuedPlay* head);
int FreeEntries();  // entries left in the pool

// Positions (position.cpp).
int32_t DevicePosition(TMixSession* s);  // device bytes, offset applied
int32_t PlayPosition(TMixSession* s);    // "now"
void Rebase(TMixSession* s, int32_t p);
void StopDevice(TMixSession* s);  // reset, the stream runs on

// Blocks (fill.cpp).
bool FillBlock(TMixSession* s, TMixBlock* block);
void WriteBlock(TMixSession* s, TMixBlock* block);
void FillAndWrite(TMixSession* s);
void AppendToDevice(TMixSession* s, TMixBlock* block);
void FreeDeviceQueue(TMixSession* s);

// Remix routines (remix.cpp).
void FullRemix(TMixSession* s, TQueuedPlay* play, int32_t from);
void DelayedStart(TMixSession* s, TQueuedPlay* play, int32_t from);

// Settings file reader (ini.cpp): GetPrivateProfileInt-like.
class IniFile {
 public:
  explicit IniFile(const std::string& path);
  int GetInt(const std::string& section, const std::string& key, int fallback) const;

 private:
  std::string text_;
};
