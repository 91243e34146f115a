// The wave mixer as the game sees it: the component TSoundMixer, the loaded
// sound TMixWave, the error class and the records the engine takes.
// The engine operations themselves are declared in sound/mixer/engine.h.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "sound/mixer/wave_out.h"

// Every failure of the mixer, with an English message.
class ESoundMixerError : public std::runtime_error {
 public:
  using runtime_error::runtime_error;
};

// One loaded sound, already converted to the session's output format.
struct TMixWave {
  TPcmFormat source_format;  // as read from the file; describes the source, not `data`
  uint8_t* data = nullptr;   // converted sample bytes (8-bit unsigned, output format)
  int32_t length = 0;        // bytes in `data`
  int32_t spare[3] = {};     // zero at load, unused
  char name[16] = {};        // source name, at most 15 characters, zero-terminated
};

// Stands for the window a finished sound is reported to: called from Pump
// once the device has played past the sound's end.
struct MixNotify {
  virtual ~MixNotify() = default;
  virtual void WaveDone(int channel, TMixWave* wave) = 0;
};

struct TMixSession;  // one per process, see engine.h

// Flags of TMixPlayParams::flags.
inline constexpr uint32_t kPlayClearQueue = 0x1;    // drop what the channel still had queued
inline constexpr uint32_t kPlayLeastRecent = 0x2;   // pick the least recently used channel
inline constexpr uint32_t kPlayHighPriority = 0x4;  // start now, not behind what is mixed
inline constexpr uint32_t kPlayWait = 0x8;          // hold until the next play without this bit
inline constexpr uint16_t kLoopForever = 0xFFFF;    // repeat until the channel is flushed

// What MixerPlay is asked to do.
struct TMixPlayParams {
  uint16_t size = 24;              // record size, 24
  TMixSession* session = nullptr;  // the session
  int32_t channel = 0;             // 0-7; the chosen channel is written back with kPlayLeastRecent
  TMixWave* wave = nullptr;        // from LoadWave
  MixNotify* notify = nullptr;     // told when this sound has finished; may be null
  uint32_t flags = 0;              // kPlay* bits
  uint16_t loops = 0;              // extra repetitions; kLoopForever = until flushed
};

// Optional settings for InitSession; ignored unless size is 10.
struct TMixConfig {
  uint16_t size = 10;       // record size, 10
  uint32_t flags = 0;       // bit 0: `channels` is given, bit 1: `rate_code` is given
  uint16_t channels = 1;    // output channels wanted, 1 or 2
  uint16_t rate_code = 11;  // 11, 22 or 44 (kilo-samples per second)
};

// The mixer component of the main window: one session, two properties
// (Activated, Channels) and three methods.
class TSoundMixer {
 public:
  // `device` outlives the mixer; `ini_path` is the full path of SOUNDMIX.INI
  // (it may not exist: every setting then takes its default).
  TSoundMixer(WaveOutDevice& device, const std::string& ini_path);
  ~TSoundMixer();
  TSoundMixer(const TSoundMixer&) = delete;
  TSoundMixer& operator=(const TSoundMixer&) = delete;

  bool Activated() const { return activated_; }
  void SetActivated(bool on);
  // Bit set of open channels 0-7.
  uint8_t Channels() const { return channels_; }
  void SetChannels(uint8_t bits);

  TMixWave* LoadWaveFile(const std::string& path);
  void FreeWaveData(TMixWave* wave);
  // Whether the wave is queued or sounding on a channel.
  bool WaveInUse(const TMixWave* wave) const;
  void PlayWave(int channel, TMixWave* wave, uint16_t loops, uint32_t flags, MixNotify* notify = nullptr);
  // Call on every "block done" notification of the device.
  void Pump();

  TMixSession* Session() const { return session_; }

 private:
  TMixSession* session_ = nullptr;
  TMixPlayParams params_;
  bool activated_ = false;
  uint8_t channels_ = 0;  // bit set of channels 0-7
};
