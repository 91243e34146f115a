// A wave output device driven by a virtual clock, for tests: it plays the
// written blocks in order as the clock advances at the format's byte rate,
// records every byte it plays, and marks blocks done.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "sound/mixer/wave_out.h"

class VirtualWaveOut : public WaveOutDevice {
 public:
  VirtualWaveOut();

  // What the device claims to be; set before the mixer starts.
  int device_count = 1;
  WaveOutCaps caps;       // product name, channels, support flags
  bool caps_ok = true;    // false: GetCaps fails
  bool format_ok = true;  // false: SupportsFormat says no
  int open_error = 0;     // returned by Open when non-zero
  int write_error = 0;    // returned by Write when non-zero
  bool record = true;     // keep every played byte in `played`
  // Called after each block the clock plays to its end (not for blocks a
  // Reset gives back). Like a posted message: the mixer is never inside.
  std::function<void()> on_block_done;

  // Moves the clock on; while open and not paused, plays the bytes due.
  void Advance(uint32_t ms);
  // Plays exactly `bytes` (fewer if the queue runs dry), the clock moving with them.
  void PlayBytes(uint32_t bytes);
  size_t QueuedBlocks() const { return queue_.size(); }

  // What happened.
  std::vector<uint8_t> played;  // every byte played since construction (if `record`)
  TPcmFormat format;            // of the last Open
  int opened_device = -2;       // device id of the last Open
  bool open = false;
  bool paused = false;
  int writes = 0, resets = 0, pauses = 0, restarts = 0, opens = 0, closes = 0;
  uint64_t bytes_played = 0;  // since construction
  uint64_t clock_us = 0;      // the virtual clock, microseconds

  int DeviceCount() override { return device_count; }
  bool GetCaps(int device_id, WaveOutCaps& out) override;
  bool SupportsFormat(int device_id, const TPcmFormat& f) override;
  int Open(int device_id, const TPcmFormat& f) override;
  void Close() override;
  int Write(WaveHeader* header) override;
  uint32_t Position() override { return position_; }
  void Pause() override;
  void Restart() override;
  void Reset() override;
  uint32_t ClockMs() override { return static_cast<uint32_t>(clock_us / 1000); }

 private:
  // Plays up to `bytes` from the queue; returns how many were played.
  uint32_t Play(uint32_t bytes);
  void ForgetQueue();

  std::deque<WaveHeader*> queue_;
  uint32_t head_offset_ = 0;  // bytes of the head block already played
  uint32_t position_ = 0;     // bytes since Open or Reset
  uint64_t due_ = 0;          // byte-microseconds not yet worth a whole byte
};
