// A wave output that plays into nothing: it takes the mixer's blocks and
// consumes them at the format's byte rate by its clock, so the mixer runs
// exactly as with a sound card. Used when there is no audio device, and by
// the headless platform with its virtual clock.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>

#include "sound/mixer/wave_out.h"

class NullWaveOut : public WaveOutDevice {
 public:
  static constexpr const char* kProductName = "Silent output";

  explicit NullWaveOut(std::function<uint32_t()> clock_ms);

  int DeviceCount() override { return 1; }
  bool GetCaps(int device_id, WaveOutCaps& caps) override;
  bool SupportsFormat(int device_id, const TPcmFormat& format) override;
  int Open(int device_id, const TPcmFormat& format) override;
  void Close() override;
  int Write(WaveHeader* header) override;
  uint32_t Position() override;
  void Pause() override;
  void Restart() override;
  void Reset() override;
  uint32_t ClockMs() override { return clock_ms_(); }

  // Catches up with the clock; true when blocks have finished since the last
  // call, i.e. the mixer wants pumping. Safe from any thread.
  bool TakeFinished();
  // Milliseconds until the first queued block will have played; -1 when
  // nothing is queued or the output is paused.
  int MsUntilNextDone();
  bool IsOpen();

 private:
  static constexpr int kMaxQueued = 64;
  void CatchUpLocked();
  void DropQueueLocked();

  std::function<uint32_t()> clock_ms_;
  std::mutex mutex_;
  bool open_ = false;
  bool paused_ = false;
  uint32_t bytes_per_sec_ = 11025;
  uint32_t block_align_ = 1;
  WaveHeader* queue_[kMaxQueued] = {};
  int head_ = 0, count_ = 0;
  uint32_t offset_ = 0;      // bytes of the front block already played
  uint32_t position_ = 0;    // bytes played since Open or Reset
  uint32_t last_clock_ = 0;  // ms, clock value up to which bytes are counted
  uint64_t remainder_ = 0;   // byte-milliseconds not yet worth a whole byte
  bool finished_ = false;    // a block finished since TakeFinished
};

// True for the formats every output of ours plays: 8-bit PCM, 1 or 2
// channels, 8000 to 48000 samples per second, consistent byte counts.
bool IsPlayablePcm(const TPcmFormat& format);
