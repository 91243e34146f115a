// The SDL audio device. Its callback plays the mixer's 8-bit blocks in
// order, resampled to the device rate, counts the bytes it has played (the
// mixer's play position), marks finished blocks done and tells the main
// thread with a user event; then it adds the music. Without a device a
// silent output takes the blocks by the clock instead.
#include "platform/desktop/sdl_audio.h"

#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>

#include "platform/desktop/fluid_music.h"
#include "platform/master_volume.h"
#include "platform/music.h"
#include "platform/null_wave_out.h"
#include "sound/mixer/wave_out.h"

namespace {

constexpr int kOutRate = 44100;
constexpr int kOutSamples = 512;  // frames per callback: 11.6 ms
constexpr int kMaxQueued = 64;    // blocks written and not yet played
constexpr Uint32 kSubsystems = SDL_INIT_AUDIO | SDL_INIT_EVENTS | SDL_INIT_TIMER;

// Event types: base = a block finished, base + 1 = a piece of music ended,
// base + 2 = the device has played nothing but silence for a while.
std::atomic<Uint32> g_event_base{0};
// An AudioDone event is in the queue; one is enough however many blocks end.
// Should one get lost (something else drained the queue), another goes out
// after kRepostMs.
std::atomic<bool> g_done_pending{false};
std::atomic<Uint32> g_done_posted_at{0};  // SDL_GetTicks of the last post
constexpr Uint32 kRepostMs = 100;
// The music of the open device, for telling stale ends (main thread only).
FluidMusic* g_music = nullptr;
// After this long of silence the audio thread is parked (see SdlDevice).
constexpr int kParkAfterFrames = kOutRate / 2;

bool RegisterEvents() {
  g_done_pending.store(false);  // a new device: nothing of the old one is pending
  if (g_event_base.load() != 0) return true;
  Uint32 base = SDL_RegisterEvents(3);
  if (base == static_cast<Uint32>(-1)) return false;
  g_event_base.store(base);
  return true;
}

void PostAudioDone() {
  Uint32 now = SDL_GetTicks();
  if (g_done_pending.exchange(true) && now - g_done_posted_at.load() < kRepostMs) return;
  g_done_posted_at.store(now);
  SDL_Event event{};
  event.type = g_event_base.load();
  if (SDL_PushEvent(&event) != 1) g_done_pending.store(false);  // try again next block
}

bool PostPark() {
  SDL_Event event{};
  event.type = g_event_base.load() + 2;
  return SDL_PushEvent(&event) == 1;
}

void PostMusicDone(uint32_t generation) {
  SDL_Event event{};
  event.type = g_event_base.load() + 1;
  event.user.code = static_cast<Sint32>(generation);
  SDL_PushEvent(&event);
}

std::string Truncated(std::string name) {
  if (name.size() > 31) name.resize(31);
  return name;
}

class SdlDevice;
SdlDevice* g_device = nullptr;  // the open device, for its park events (main thread only)

// The real device: wave blocks and music on one SDL stream.
//
// Silence costs nothing: once the device has played only silence for half
// a second (no block queued, no music, no voice ringing), the audio thread
// tells the main thread, which parks it by holding the device lock. SDL's
// audio thread then waits on that lock instead of waking every 12 ms; the
// next block or piece of music releases it, and it plays at once. Where
// the sound server calls back from a thread of its own (pipewire, jack)
// nothing is parked: holding that thread would stall the server.
class SdlDevice : public SdlAudio, public WaveOutDevice {
 public:
  // Opened in two steps: the callback's user data must exist before SDL
  // opens the device (paused), and the device's spec is known only after.
  SdlDevice() = default;

  // The SDL device to open: `name` null for the system's default.
  static SDL_AudioDeviceID OpenSdlDevice(const char* name, SdlDevice* self, SDL_AudioSpec& have) {
    SDL_AudioSpec want{};
    want.freq = kOutRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = kOutSamples;
    want.callback = Callback;
    want.userdata = self;
    return SDL_OpenAudioDevice(name, 0, &want, &have, 0);
  }

  void Attach(SDL_AudioDeviceID dev, const SDL_AudioSpec& spec) {
    attached_ = true;
    dev_ = dev;
    spec_ = spec;
    const char* name = SDL_GetNumAudioDevices(0) > 0 ? SDL_GetAudioDeviceName(0, 0) : nullptr;
    const char* driver = SDL_GetCurrentAudioDriver();
    name_ = Truncated(name ? name : std::string("SDL ") + (driver ? driver : "audio"));
    music_ = FluidMusic::Create(spec_.freq);
    g_music = music_.get();
    can_park_ = driver && std::strcmp(driver, "pipewire") != 0 && std::strcmp(driver, "jack") != 0;
    g_device = this;
  }

  ~SdlDevice() override {
    if (!attached_) return;
    g_device = nullptr;
    if (dev_ != 0) {
      Wake();
      SDL_CloseAudioDevice(dev_);  // the callback has run for the last time
    }
    g_music = nullptr;
    music_.reset();
    SDL_QuitSubSystem(kSubsystems);
  }

  void Start() { SDL_PauseAudioDevice(dev_, 0); }

  std::string device_name() const override { return selected_name_; }

  static void Callback(void* user, Uint8* stream, int len) {
    auto* self = static_cast<SdlDevice*>(user);
    auto* out = reinterpret_cast<int16_t*>(stream);
    int frames = len / 4;
    if (self->FillWave(out, frames)) PostAudioDone();
    uint32_t generation = 0;
    bool music_quiet = !self->music_ || self->music_->Quiet();
    if (!music_quiet && self->music_->MixInto(out, frames, generation)) PostMusicDone(generation);
    ScaleVolume(out, frames * 2, self->volume_.load(std::memory_order_relaxed));
    self->CountSilence(frames, music_quiet && self->count_ == 0);
  }

  // Main thread, on the audio thread's park event: parks it if all is
  // still quiet.
  void Park() {
    if (!can_park_ || parked_) return;
    SDL_LockAudioDevice(dev_);
    park_posted_ = false;
    if (count_ == 0 && (!music_ || music_->Quiet())) {
      parked_ = true;  // the lock stays held until Wake
      return;
    }
    SDL_UnlockAudioDevice(dev_);
  }

  // Main thread: lets a parked audio thread run again.
  void Wake() {
    if (!parked_) return;
    parked_ = false;
    quiet_frames_ = 0;
    SDL_UnlockAudioDevice(dev_);
  }

  void SetVolume(int percent) override {
    volume_.store(std::clamp(percent, 0, 100), std::memory_order_relaxed);
  }
  void SetPaused(bool paused) override { SDL_PauseAudioDevice(dev_, paused ? 1 : 0); }

  // SdlAudio
  WaveOutDevice& wave_out() override { return *this; }
  MusicPlayer& music() override {
    if (music_) return waking_music_;
    return silent_music_;
  }
  bool audible() const override { return true; }
  void SetTap(Tap tap, void* user) override {
    SDL_LockAudioDevice(dev_);
    tap_ = tap;
    tap_user_ = user;
    SDL_UnlockAudioDevice(dev_);
  }

  // WaveOutDevice
  int DeviceCount() override { return std::max(1, SDL_GetNumAudioDevices(0)); }

  bool GetCaps(int device_id, WaveOutCaps& caps) override {
    if (device_id < -1 || device_id >= DeviceCount()) return false;
    const char* name = device_id >= 0 && device_id < SDL_GetNumAudioDevices(0)
                           ? SDL_GetAudioDeviceName(device_id, 0)
                           : nullptr;
    caps.product_name = name ? Truncated(name) : name_;
    caps.channels = spec_.channels;
    caps.support = 0;
    return true;
  }

  bool SupportsFormat(int device_id, const TPcmFormat& format) override {
    return device_id >= -1 && device_id < DeviceCount() && IsPlayablePcm(format);
  }

  int Open(int device_id, const TPcmFormat& format) override {
    if (device_id < -1 || device_id >= DeviceCount()) return 2;  // bad device id
    if (!IsPlayablePcm(format)) return 32;                       // unsupported format
    if (!Select(device_id)) return 1;                            // the device would not open
    Locked lock(dev_);
    if (open_) return 4;  // already allocated
    open_ = true;
    paused_ = false;
    src_rate_ = format.samples_per_sec;
    align_ = format.block_align;
    DropQueue();
    position_ = 0;
    return 0;
  }

  void Close() override {
    Locked lock(dev_);
    DropQueue();
    open_ = false;
  }

  int Write(WaveHeader* header) override {
    if (!header || !header->data) return 11;  // invalid parameter
    Locked lock(dev_);
    if (!open_) return 5;                // invalid handle
    if (count_ == kMaxQueued) return 7;  // no room
    header->done.store(false);
    queue_[(head_ + count_) % kMaxQueued] = header;
    ++count_;
    Wake();
    return 0;
  }

  uint32_t Position() override {
    Locked lock(dev_);
    return position_;
  }

  void Pause() override {
    Locked lock(dev_);
    paused_ = true;
  }

  void Restart() override {
    Locked lock(dev_);
    paused_ = false;
  }

  void Reset() override {
    bool dropped;
    {
      Locked lock(dev_);
      dropped = count_ > 0;
      DropQueue();
      position_ = 0;
    }
    if (dropped) PostAudioDone();  // as a sound card reports every returned block
  }

  uint32_t ClockMs() override { return SDL_GetTicks(); }

 private:
  struct Locked {
    explicit Locked(SDL_AudioDeviceID dev) : dev(dev) { SDL_LockAudioDevice(dev); }
    ~Locked() { SDL_UnlockAudioDevice(dev); }
    SDL_AudioDeviceID dev;
  };

  // Moves the stream (wave blocks and music alike) to the n-th output device
  // SDL lists; -1, or an n SDL does not list, is the system's default. The
  // stream is reopened only when that is another device than the one open.
  bool Select(int device_id) {
    const char* listed = device_id >= 0 && device_id < SDL_GetNumAudioDevices(0)
                             ? SDL_GetAudioDeviceName(device_id, 0)
                             : nullptr;
    const std::string wanted = listed ? listed : "";
    const std::string open_as = listed && !IsDefaultDevice(listed) ? wanted : "";
    if (dev_ != 0 && open_as == opened_as_) {
      selected_name_ = wanted;
      return true;
    }
    // Some drivers open one device at a time: the old one goes first.
    if (dev_ != 0) SDL_CloseAudioDevice(dev_);  // its callback has run for the last time
    SDL_AudioSpec have{};
    dev_ = OpenSdlDevice(open_as.empty() ? nullptr : open_as.c_str(), this, have);
    bool ok = dev_ != 0;
    if (ok) {
      opened_as_ = open_as;
      selected_name_ = wanted;
    } else if (!open_as.empty()) {
      dev_ = OpenSdlDevice(nullptr, this, have);  // back to the default device
      opened_as_.clear();
      selected_name_.clear();
    }
    if (dev_ != 0) Start();
    return ok;
  }

  // Whether the listed device is the one SDL opens by default anyway.
  static bool IsDefaultDevice(const char* listed) {
    if (SDL_GetNumAudioDevices(0) == 1) return true;  // the driver's only device
#if SDL_VERSION_ATLEAST(2, 24, 0)
    char* name = nullptr;
    SDL_AudioSpec spec{};
    if (SDL_GetDefaultAudioInfo(&name, &spec, 0) == 0) {
      const bool same = name != nullptr && std::string(name) == listed;
      SDL_free(name);
      return same;
    }
#endif
    return false;
  }

  void DropQueue() {
    while (count_ > 0) PopFront();
    offset_ = 0;
    phase_ = 0;
  }

  void PopFront() {
    queue_[head_]->done.store(true);
    head_ = (head_ + 1) % kMaxQueued;
    --count_;
    offset_ = 0;
  }

  // The frame after the one at offset_, for interpolation.
  const uint8_t* NextFrame(const WaveHeader* front) const {
    if (offset_ + 2 * align_ <= front->length) return front->data + offset_ + align_;
    if (count_ > 1) {
      const WaveHeader* next = queue_[(head_ + 1) % kMaxQueued];
      if (next->length >= align_) return next->data;
    }
    return front->data + offset_;
  }

  void TapRun(const WaveHeader* front, uint32_t from, uint32_t to) {
    if (tap_ && to > from) tap_(tap_user_, front->data + from, to - from);
  }

  // Audio thread: asks for a park once `frames` more of silence make
  // enough.
  void CountSilence(int frames, bool quiet) {
    if (!quiet || !can_park_) {
      quiet_frames_ = 0;
      return;
    }
    quiet_frames_ += frames;
    if (quiet_frames_ >= kParkAfterFrames && !park_posted_) park_posted_ = PostPark();
  }

  // Writes the wave stream (or silence) into `frames` stereo frames; true
  // when a block finished. Runs with the device lock held by SDL.
  bool FillWave(int16_t* out, int frames) {
    if (!open_ || paused_ || count_ == 0) {
      std::memset(out, 0, static_cast<size_t>(frames) * 4);  // nothing to play
      return false;
    }
    bool finished = false;
    uint32_t run_start = offset_;
    for (int i = 0; i < frames; ++i) {
      while (open_ && count_ > 0 && offset_ + align_ > queue_[head_]->length) {
        PopFront();  // an empty or ragged block: nothing to play
        finished = true;
        run_start = 0;
      }
      if (!open_ || paused_ || count_ == 0) {
        out[2 * i] = out[2 * i + 1] = 0;
        continue;
      }
      const WaveHeader* front = queue_[head_];
      const uint8_t* a = front->data + offset_;
      const uint8_t* b = NextFrame(front);
      int right = align_ == 2 ? 1 : 0;
      int64_t w1 = phase_, w0 = kOutRate - phase_;
      out[2 * i] = static_cast<int16_t>(((a[0] - 128) * w0 + (b[0] - 128) * w1) * 256 / kOutRate);
      out[2 * i + 1] = static_cast<int16_t>(((a[right] - 128) * w0 + (b[right] - 128) * w1) * 256 / kOutRate);
      phase_ += src_rate_;
      while (phase_ >= static_cast<uint32_t>(kOutRate) && count_ > 0) {
        phase_ -= kOutRate;
        offset_ += align_;
        position_ += align_;
        if (offset_ + align_ > queue_[head_]->length) {
          TapRun(queue_[head_], run_start, queue_[head_]->length);
          PopFront();
          finished = true;
          run_start = 0;
        }
      }
      if (count_ == 0) phase_ = 0;  // ran dry: the next block starts on a frame
    }
    if (count_ > 0) TapRun(queue_[head_], run_start, offset_);
    return finished;
  }

  bool attached_ = false;
  SDL_AudioDeviceID dev_ = 0;
  std::string selected_name_;  // the output device named by the settings, empty for the default
  std::string opened_as_;      // the name the SDL device was opened with, empty for the default
  SDL_AudioSpec spec_{};
  std::string name_;
  std::unique_ptr<FluidMusic> music_;
  SilentMusicPlayer silent_music_;

  // The music, releasing a parked audio thread before a piece plays.
  class WakingMusic : public MusicPlayer {
   public:
    explicit WakingMusic(SdlDevice& device) : device_(device) {}
    bool Open(const std::string& path) override { return device_.music_->Open(path); }
    bool Play() override {
      device_.Wake();
      return device_.music_->Play();
    }
    void Stop() override { device_.music_->Stop(); }
    bool IsOpen() const override { return device_.music_->IsOpen(); }

   private:
    SdlDevice& device_;
  };
  WakingMusic waking_music_{*this};
  bool can_park_ = false;
  bool parked_ = false;  // main thread: it holds the device lock

  // Guarded by the device lock.
  bool open_ = false;
  bool paused_ = false;
  uint32_t src_rate_ = 11025;  // samples per second of the mixer's format
  uint32_t align_ = 1;         // bytes per mixer frame
  WaveHeader* queue_[kMaxQueued] = {};
  int head_ = 0, count_ = 0;
  uint32_t offset_ = 0;    // bytes of the front block played
  uint32_t position_ = 0;  // mixer bytes played since Open or Reset
  uint32_t phase_ = 0;     // 0 to kOutRate - 1: progress towards the next mixer frame
  Tap tap_ = nullptr;
  void* tap_user_ = nullptr;
  std::atomic<int> volume_{100};  // 0-100, percent
  int quiet_frames_ = 0;          // frames of silence played in a row
  bool park_posted_ = false;      // a park event is on its way
};

// No device: blocks are consumed by the clock; a timer tells the main thread.
class SilentAudio : public SdlAudio {
 public:
  SilentAudio() : out_([] { return static_cast<uint32_t>(SDL_GetTicks()); }) {
    if (SDL_InitSubSystem(SDL_INIT_EVENTS | SDL_INIT_TIMER) == 0 && RegisterEvents()) {
      subsystems_ = true;
      timer_ = SDL_AddTimer(10, Tick, this);
    }
  }
  ~SilentAudio() override {
    if (timer_) SDL_RemoveTimer(timer_);
    if (subsystems_) SDL_QuitSubSystem(SDL_INIT_EVENTS | SDL_INIT_TIMER);
  }

  WaveOutDevice& wave_out() override { return out_; }
  MusicPlayer& music() override { return music_; }
  bool audible() const override { return false; }
  void SetTap(Tap, void*) override {}
  std::string device_name() const override { return ""; }
  // Nothing is heard, so there is nothing to scale or hold.
  void SetVolume(int) override {}
  void SetPaused(bool) override {}

 private:
  static Uint32 Tick(Uint32 interval, void* user) {
    if (static_cast<SilentAudio*>(user)->out_.TakeFinished()) PostAudioDone();
    return interval;
  }

  NullWaveOut out_;
  SilentMusicPlayer music_;
  bool subsystems_ = false;
  SDL_TimerID timer_ = 0;
};

}  // namespace

// Without a sound card, ALSA's library prints eight lines of its own errors
// before SDL gives up, where the game says it in one line. SDL opens ALSA at
// run time, so its error handler is reached the same way; the library stays
// loaded, and where there is no ALSA there is nothing to quieten.
static void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

static void QuietenAlsa() {
  using Handler = void (*)(const char* file, int line, const char* function, int err, const char* fmt, ...);
  void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
  if (!alsa) return;
  auto set_handler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"));
  if (set_handler) set_handler(IgnoreAlsaError);
}

std::unique_ptr<SdlAudio> OpenSdlAudio() {
  QuietenAlsa();
  if (SDL_InitSubSystem(kSubsystems) != 0) return nullptr;
  if (!RegisterEvents()) {
    SDL_QuitSubSystem(kSubsystems);
    return nullptr;
  }
  SDL_AudioSpec have{};
  auto device = std::make_unique<SdlDevice>();
  SDL_AudioDeviceID dev = SdlDevice::OpenSdlDevice(nullptr, device.get(), have);
  if (dev == 0) {
    SDL_QuitSubSystem(kSubsystems);
    return nullptr;
  }
  device->Attach(dev, have);
  device->Start();
  return device;
}

std::unique_ptr<SdlAudio> OpenSilentAudio() {
  return std::make_unique<SilentAudio>();
}

bool SdlAudioEventKind(const SDL_Event& event, InputEvent::Kind& kind) {
  Uint32 base = g_event_base.load();
  if (base == 0) return false;
  if (event.type == base) {
    g_done_pending.store(false);
    kind = InputEvent::AudioDone;
    return true;
  }
  if (event.type == base + 2) {
    if (g_device) g_device->Park();
    return false;
  }
  if (event.type == base + 1 && g_music && g_music->EndIsCurrent(static_cast<uint32_t>(event.user.code))) {
    kind = InputEvent::MusicDone;
    return true;
  }
  return false;
}
