// The wave output device as the mixer sees it: a queue of byte buffers played
// in order, a play position in bytes, pause, restart and reset. The platform
// provides the real device; tests drive one by a virtual clock.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

// PCM format record (16 bytes, as in a WAV file's format chunk).
struct TPcmFormat {
  uint16_t format_tag = 1;  // 1 = PCM
  uint16_t channels = 1;
  uint32_t samples_per_sec = 11025;
  uint32_t bytes_per_sec = 11025;
  uint16_t block_align = 1;
  uint16_t bits_per_sample = 8;
};

// One buffer handed to the device. The device sets `done` (from any thread)
// once every byte has been played, then tells the main thread, which pumps
// the mixer.
struct WaveHeader {
  uint8_t* data = nullptr;
  uint32_t length = 0;  // bytes
  std::atomic<bool> done{false};
};

inline constexpr uint32_t kWaveCapsSync = 0x10;  // a blocking device

struct WaveOutCaps {
  std::string product_name;  // up to 31 characters
  uint16_t channels = 2;
  uint32_t support = 0;  // kWaveCapsSync, ...
};

class WaveOutDevice {
 public:
  virtual ~WaveOutDevice() = default;
  virtual int DeviceCount() = 0;
  // device_id -1 is the system's default device.
  virtual bool GetCaps(int device_id, WaveOutCaps& caps) = 0;
  virtual bool SupportsFormat(int device_id, const TPcmFormat& format) = 0;
  // 0 on success, otherwise an error number for the message.
  virtual int Open(int device_id, const TPcmFormat& format) = 0;
  virtual void Close() = 0;
  // Queues a buffer behind those already written; 0 on success.
  virtual int Write(WaveHeader* header) = 0;
  // Bytes played since Open or the last Reset.
  virtual uint32_t Position() = 0;
  virtual void Pause() = 0;
  virtual void Restart() = 0;
  // Stops at once, marks every queued buffer done and forgets it, and puts
  // the position back to 0.
  virtual void Reset() = 0;
  // The millisecond clock the mixer uses when it derives positions by time.
  virtual uint32_t ClockMs() = 0;
};
