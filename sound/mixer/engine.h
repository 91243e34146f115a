// The mixer engine: one mix session per process, eight channels with play
// queues, a ring of output blocks handed to the wave output device. Every
// operation raises ESoundMixerError on failure.
#pragma once

#include <cstdint>
#include <string>

#include "sound/mixer/mixer.h"

// OpenChannels modes.
inline constexpr int kOpenOne = 0;    // channel n
inline constexpr int kOpenAll = 1;    // all eight
inline constexpr int kOpenFirst = 2;  // channels 0 to n-1
// FlushChannels / CloseChannels flags.
inline constexpr uint32_t kFlushAll = 0x1;
inline constexpr uint32_t kFlushNoRemix = 0x2;
// LoadWave flags.
inline constexpr uint32_t kLoadFile = 0x1;
inline constexpr uint32_t kLoadResource = 0x2;
inline constexpr uint32_t kLoadMemory = 0x4;

// A memory block read as if it were a file (the caller keeps it).
struct TMemoryFile {
  const uint8_t* buffer = nullptr;  // the file's bytes
  uint32_t size = 0;                // bytes
};

// InitSession with a config of size 10 and no flags.
TMixSession* MixerInit(WaveOutDevice& device, const std::string& ini_path);
// Creates the session and reads the settings. `config` may be null.
TMixSession* InitSession(WaveOutDevice& device, const std::string& ini_path,
                         const TMixConfig* config = nullptr);
void MixerActivate(TMixSession* session, bool on);
void OpenChannels(TMixSession* session, int n, int mode);
void FlushChannels(TMixSession* session, int channel, uint32_t flags);
void CloseChannels(TMixSession* session, int channel, uint32_t flags);
// File (kLoadFile) or resource (kLoadResource) by name.
TMixWave* LoadWave(TMixSession* session, const std::string& source, uint32_t flags);
// Resource given by number.
TMixWave* LoadWave(TMixSession* session, int resource_number, uint32_t flags);
// Memory block (kLoadMemory).
TMixWave* LoadWave(TMixSession* session, const TMemoryFile& memory, uint32_t flags = kLoadMemory);
void ReleaseWave(TMixSession* session, TMixWave* wave);
// Whether a play of the wave is queued or sounding on any channel (freeing it
// would cut it off).
bool WaveInUse(TMixSession* session, const TMixWave* wave);
void MixerPlay(TMixPlayParams* params);
void EndSession(TMixSession* session);
// Retires played blocks and finished sounds, then refills free blocks.
void Pump();

// Converts `data` in place from `source` to `output` (8-bit output only).
// Equal formats keep the very same block. Used by LoadWave; open for tests.
void ConvertWave(const TPcmFormat& source, const TPcmFormat& output, uint8_t*& data, int32_t& length);
