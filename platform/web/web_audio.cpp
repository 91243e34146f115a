// The browser's wave output and music player. The page plays copies of the
// mixer's blocks and counts what it has played; this side keeps the mixer's
// headers in the same order and marks them done when it reads the counts.
#include "platform/web/web_audio.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/master_volume.h"
#include "platform/music.h"
#include "platform/web/web_audio_js.h"
#include "sound/mixer/wave_out.h"

namespace {

constexpr int kMaxQueued = 64;                   // blocks written and not yet played
constexpr uintmax_t kMaxPieceBytes = 16u << 20;  // far beyond any rendered piece
bool g_open = false;                             // one context per page

bool IsWebPcm(const TPcmFormat& f) {
  return f.format_tag == 1 && (f.bits_per_sample == 8 || f.bits_per_sample == 16) &&
         (f.channels == 1 || f.channels == 2) && f.samples_per_sec >= 8000 && f.samples_per_sec <= 48000 &&
         f.block_align == f.channels * f.bits_per_sample / 8 &&
         f.bytes_per_sec == f.samples_per_sec * f.block_align;
}

class WebWaveOut : public WaveOutDevice {
 public:
  static constexpr const char* kProductName = "Web Audio";

  int DeviceCount() override { return 1; }

  bool GetCaps(int device_id, WaveOutCaps& caps) override {
    if (device_id < -1 || device_id > 0) return false;
    caps.product_name = kProductName;
    caps.channels = 2;
    caps.support = 0;
    return true;
  }

  bool SupportsFormat(int device_id, const TPcmFormat& format) override {
    return device_id >= -1 && device_id <= 0 && IsWebPcm(format);
  }

  int Open(int device_id, const TPcmFormat& format) override {
    if (device_id < -1 || device_id > 0) return 2;  // bad device id
    if (!IsWebPcm(format)) return 32;               // unsupported format
    if (open_) return 4;                            // already allocated
    DropQueue();
    wa_open(static_cast<int>(format.samples_per_sec), format.block_align, format.bits_per_sample,
            format.channels);
    synced_ = static_cast<uint32_t>(wa_finished());
    open_ = true;
    return 0;
  }

  // Blocks handed over and not yet reported played.
  bool Queued() const { return count_ > 0; }

  void Close() override {
    DropQueue();
    wa_close();
    synced_ = static_cast<uint32_t>(wa_finished());
    open_ = false;
  }

  int Write(WaveHeader* header) override {
    if (!header || !header->data) return 11;  // invalid parameter
    if (!open_) return 5;                     // invalid handle
    Sync();
    if (count_ == kMaxQueued) return 7;  // no room
    header->done.store(false);
    queue_[(head_ + count_) % kMaxQueued] = header;
    ++count_;
    wa_write(header->data, static_cast<int>(header->length));
    return 0;
  }

  uint32_t Position() override {
    Sync();
    return static_cast<uint32_t>(wa_position());
  }

  void Pause() override { wa_set_paused(1); }
  void Restart() override { wa_set_paused(0); }

  void Reset() override {
    if (count_ > 0) done_pending_ = true;  // as a sound card reports every returned block
    DropQueue();
    wa_reset();
    synced_ = static_cast<uint32_t>(wa_finished());
  }

  uint32_t ClockMs() override { return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now())); }

  // Marks the blocks the page has finished since the last look; true when
  // some finished (or a reset dropped some) since the last call.
  bool TakeFinished() {
    Sync();
    bool any = done_pending_;
    done_pending_ = false;
    return any;
  }

 private:
  void Sync() {
    uint32_t finished = static_cast<uint32_t>(wa_finished());
    while (synced_ != finished && count_ > 0) {
      PopFront();
      ++synced_;
      done_pending_ = true;
    }
    synced_ = finished;
  }

  void PopFront() {
    queue_[head_]->done.store(true);
    head_ = (head_ + 1) % kMaxQueued;
    --count_;
  }

  void DropQueue() {
    while (count_ > 0) PopFront();
  }

  bool open_ = false;
  WaveHeader* queue_[kMaxQueued] = {};
  int head_ = 0, count_ = 0;
  uint32_t synced_ = 0;  // the page's finished count already marked here
  bool done_pending_ = false;
};

// The rendered music: the page decodes the piece and plays it once from the
// start; the generation tells this play's end from a stale one.
class WebMusic : public MusicPlayer {
 public:
  bool Open(const std::string& path) override {
    // Opening closes the piece still open, whether or not the new one is good.
    wa_music_stop();
    playing_ = false;
    ++generation_;
    key_ = WebMusicPath(path);
    open_ = wa_music_has(key_.c_str()) || Load(key_) || wa_music_request(key_.c_str());
    if (!open_) key_.clear();
    return open_;
  }

  bool Play() override {
    wa_music_stop();
    playing_ = false;
    ++generation_;
    if (!open_) return false;
    wa_music_play(key_.c_str(), static_cast<int>(generation_));
    playing_ = true;
    return true;
  }

  void Stop() override {
    wa_music_stop();
    playing_ = false;
    ++generation_;
  }

  bool IsOpen() const override { return open_; }

  // True once when the current play has reached its end.
  bool TakeEnd() {
    uint32_t ended = static_cast<uint32_t>(wa_music_ended());
    if (ended == 0 || ended != generation_ || !playing_) return false;
    playing_ = false;
    return true;
  }

 private:
  // Reads an Ogg file and hands it to the page to decode.
  static bool Load(const std::string& path) {
    std::error_code ec;
    auto size = std::filesystem::file_size(path, ec);
    if (ec || size < 4 || size > kMaxPieceBytes) return false;
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 4 || !std::equal(bytes.begin(), bytes.begin() + 4, "OggS")) return false;
    wa_music_load(path.c_str(), bytes.data(), static_cast<int>(bytes.size()));
    return true;
  }

  std::string key_;  // the .ogg path of the open piece
  bool open_ = false;
  bool playing_ = false;     // a play runs and has not reached its end
  uint32_t generation_ = 0;  // +1 at every open, play and stop
};

class WebAudioImpl : public WebAudio {
 public:
  ~WebAudioImpl() override {
    wa_destroy();
    g_open = false;
  }

  WaveOutDevice& wave_out() override { return out_; }
  MusicPlayer& music() override { return music_; }

  bool PollEvent(InputEvent::Kind& kind) override {
    if (out_.TakeFinished()) {
      kind = InputEvent::AudioDone;
      return true;
    }
    if (music_.TakeEnd()) {
      kind = InputEvent::MusicDone;
      return true;
    }
    return false;
  }

  bool Busy() const override { return out_.Queued(); }
  void Unlock() override { wa_unlock(); }
  bool Unlocked() const override { return wa_running() != 0; }
  void SetVolume(int percent) override { wa_set_volume(VolumeGain(percent)); }

 private:
  WebWaveOut out_;
  WebMusic music_;
};

}  // namespace

std::unique_ptr<WebAudio> OpenWebAudio() {
  if (g_open || !wa_create()) return nullptr;
  g_open = true;
  return std::make_unique<WebAudioImpl>();
}

std::string WebMusicPath(const std::string& midi_path) {
  std::string ext = midi_path.size() >= 4 ? midi_path.substr(midi_path.size() - 4) : "";
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  if (ext != ".mid") return midi_path;
  return midi_path.substr(0, midi_path.size() - 4) + ".ogg";
}
