// MIDI music on FluidSynth. The piece is read into memory on the main thread,
// so the audio thread never touches a file. A play renders the piece from
// the top with the synth reset, and what it renders is kept: a thread of its
// own renders ahead of the audio callback (which renders itself only when
// that thread lags), and the piece's next plays, as it loops, replay the
// take instead of rendering it again.
#include "platform/desktop/fluid_music.h"

#include <fluidsynth.h>

#ifdef __linux__
#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

#include "files/regular_file.h"
#include "platform/desktop/pcm_take.h"

namespace {

constexpr int kChunkFrames = 512;              // rendered at a time
constexpr uintmax_t kMaxPieceBytes = 4 << 20;  // far beyond any song of the game
constexpr int kMaxKeptSeconds = 180;           // longer takes are not kept whole

// The render thread gives way to the game's own threads.
void NameAndLowerThisThread() {
#ifdef __linux__
  pthread_setname_np(pthread_self(), "music render");
  setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
#endif
}

void QuietLog(int, const char*, void*) {}

uint32_t ReadBig(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = (v << 8) | b[at + i];
  return v;
}

}  // namespace

std::string FindSoundfont() {
  for (const char* path : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
                           "/usr/share/sounds/sf2/FluidR3_GM.sf2"}) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) return path;
  }
  return "";
}

bool IsWellFormedMidi(const std::vector<uint8_t>& b) {
  if (b.size() < 14 || !std::equal(b.begin(), b.begin() + 4, "MThd")) return false;
  uint32_t header_len = ReadBig(b, 4, 4);
  if (header_len < 6 || header_len > b.size() - 8) return false;
  uint32_t format = ReadBig(b, 8, 2), tracks = ReadBig(b, 10, 2), division = ReadBig(b, 12, 2);
  if (format > 2 || tracks == 0 || division == 0) return false;
  size_t at = 8 + header_len;
  uint32_t found = 0;
  while (at + 8 <= b.size()) {
    uint32_t len = ReadBig(b, at + 4, 4);
    if (len > b.size() - at - 8) return false;  // chunk runs past the end
    if (std::equal(b.begin() + at, b.begin() + at + 4, "MTrk")) ++found;
    at += 8 + len;
  }
  return found >= 1;  // a few bytes of padding after the last chunk are common
}

struct FluidMusic::Impl {
  int sample_rate = 44100;
  fluid_settings_t* settings = nullptr;

  // Held while the synth renders or is reset; taken before `mutex`.
  std::mutex synth_mutex;
  fluid_synth_t* synth = nullptr;
  fluid_player_t* player = nullptr;  // of the take being rendered
  int16_t scratch[kChunkFrames * 2];

  mutable std::mutex mutex;  // everything below
  std::vector<uint8_t> piece;
  bool open = false;
  uint32_t generation = 0;  // +1 at every open, play and stop

  // The open piece rendered from its top, as far as it got.
  PcmTake take;
  uint32_t take_id = 0;    // +1 whenever the take starts over or goes
  bool rendering = false;  // the take has a render behind it
  int64_t end_frame = -1;  // where the player finished; -1 until then
  bool complete = false;   // the end, and the voices ringing past it, are in
  bool kept_whole = true;  // false once too long: the callback renders, what it played goes

  // The play.
  bool playing = false;   // runs and has not reached the end
  bool sounding = false;  // playing, or the ringing after the end still goes on
  bool played = false;    // a play began and no stop or open came since
  int64_t position = 0;   // next frame of the take to be heard

  std::condition_variable wake;  // the render thread's
  bool quit = false;
  std::thread render_thread;

  ~Impl() {
    {
      std::lock_guard lock(mutex);
      quit = true;
    }
    wake.notify_all();
    if (render_thread.joinable()) render_thread.join();
    DropPlayer();
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
  }

  // Holding synth_mutex.
  void DropPlayer() {
    if (!player) return;
    fluid_player_stop(player);
    delete_fluid_player(player);
    player = nullptr;
    fluid_synth_all_sounds_off(synth, -1);
  }

  // Holding synth_mutex and mutex: the take is gone.
  void DropTake() {
    DropPlayer();
    take.Clear();
    ++take_id;
    rendering = false;
    end_frame = -1;
    complete = false;
    kept_whole = true;
  }

  // Holding synth_mutex and mutex: a new take of the piece from its top.
  bool StartTake() {
    DropTake();
    fluid_synth_system_reset(synth);  // programs and controllers of the last piece go
    player = new_fluid_player(synth);
    if (!player) return false;
    if (fluid_player_add_mem(player, piece.data(), piece.size()) != FLUID_OK ||
        fluid_player_play(player) != FLUID_OK) {
      DropPlayer();
      return false;
    }
    rendering = true;
    wake.notify_all();
    return true;
  }

  bool WantsRendering() const { return rendering && !complete && kept_whole; }

  // Renders the next chunk of take `id`; false when there was nothing to
  // render (the take is complete, or another one).
  bool RenderChunk(uint32_t id) {
    std::lock_guard synth_lock(synth_mutex);
    {
      std::lock_guard lock(mutex);
      if (id != take_id || !rendering || complete || !player) return false;
    }
    fluid_synth_write_s16(synth, kChunkFrames, scratch, 0, 2, scratch, 1, 2);
    bool player_done = fluid_player_get_status(player) == FLUID_PLAYER_DONE;
    bool ringing = fluid_synth_get_active_voice_count(synth) > 0;
    std::lock_guard lock(mutex);
    take.Append(scratch, kChunkFrames);
    if (end_frame < 0 && player_done) end_frame = take.frames();
    if (end_frame >= 0 && !ringing) complete = true;
    if (!complete && take.frames() >= static_cast<int64_t>(kMaxKeptSeconds) * sample_rate) kept_whole = false;
    return true;
  }

  void RenderAhead() {
    NameAndLowerThisThread();
    std::unique_lock lock(mutex);
    for (;;) {
      wake.wait(lock, [&] { return quit || WantsRendering(); });
      if (quit) return;
      uint32_t id = take_id;
      lock.unlock();
      RenderChunk(id);
      lock.lock();
    }
  }
};

FluidMusic::FluidMusic(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {
  Impl* m = impl_.get();
  m->render_thread = std::thread([m] { m->RenderAhead(); });
}
FluidMusic::~FluidMusic() = default;

std::unique_ptr<FluidMusic> FluidMusic::Create(int sample_rate, const std::string& soundfont) {
  std::string path = soundfont.empty() ? FindSoundfont() : soundfont;
  if (path.empty()) return nullptr;
  // The game keeps no log: FluidSynth's own chatter stays out of stderr.
  for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
    fluid_set_log_function(level, QuietLog, nullptr);

  auto impl = std::make_unique<Impl>();
  impl->sample_rate = sample_rate;
  impl->settings = new_fluid_settings();
  if (!impl->settings) return nullptr;
  fluid_settings_setnum(impl->settings, "synth.sample-rate", sample_rate);
  fluid_settings_setnum(impl->settings, "synth.gain", kGain);
  fluid_settings_setstr(impl->settings, "player.timing-source", "sample");
  impl->synth = new_fluid_synth(impl->settings);
  if (!impl->synth) return nullptr;
  if (!fluid_is_soundfont(path.c_str()) || fluid_synth_sfload(impl->synth, path.c_str(), 1) == FLUID_FAILED) {
    return nullptr;
  }
  return std::unique_ptr<FluidMusic>(new FluidMusic(std::move(impl)));
}

bool FluidMusic::Open(const std::string& path) {
  // A pipe or a device in the piece's place reads as no piece.
  std::string file;
  ReadRegularFile(path, file, kMaxPieceBytes);
  std::vector<uint8_t> bytes(file.begin(), file.end());
  bool good = IsWellFormedMidi(bytes);
  Impl& m = *impl_;
  std::lock_guard synth_lock(m.synth_mutex);
  std::lock_guard lock(m.mutex);
  // Opening closes the piece still open, whether or not the new one is good;
  // the take stays when the same piece opens again.
  m.playing = m.sounding = m.played = false;
  ++m.generation;
  if (!good || bytes != m.piece || !m.kept_whole) m.DropTake();
  m.open = good;
  m.piece = good ? std::move(bytes) : std::vector<uint8_t>();
  return good;
}

bool FluidMusic::Play() {
  Impl& m = *impl_;
  std::lock_guard synth_lock(m.synth_mutex);
  std::lock_guard lock(m.mutex);
  m.playing = m.sounding = m.played = false;
  ++m.generation;
  if (!m.open) return false;
  // The take replays from the top when it holds the whole piece so far.
  if (!(m.rendering && m.kept_whole) && !m.StartTake()) return false;
  m.position = 0;
  m.playing = m.sounding = m.played = true;
  return true;
}

void FluidMusic::Stop() {
  std::lock_guard lock(impl_->mutex);
  impl_->playing = impl_->sounding = impl_->played = false;
  ++impl_->generation;
}

bool FluidMusic::IsOpen() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->open;
}

bool FluidMusic::MixInto(int16_t* out, int frames, uint32_t& generation) {
  Impl& m = *impl_;
  std::unique_lock lock(m.mutex);
  // When the render thread lags, the callback renders what it needs itself.
  while (m.sounding && m.take.frames() < m.position + frames && !m.complete) {
    uint32_t id = m.take_id;
    lock.unlock();
    bool rendered = m.RenderChunk(id);
    lock.lock();
    if (!rendered) break;
  }
  if (!m.sounding) return false;
  m.take.MixInto(out, m.position, frames);
  m.position += frames;
  if (!m.kept_whole) m.take.ForgetBefore(m.position);
  if (m.complete && m.position >= m.take.frames()) m.sounding = false;
  if (!m.playing || m.end_frame < 0 || m.position < m.end_frame) return false;
  m.playing = false;
  // A piece that ends within half a second never really played (FluidSynth
  // could not read its events): report no end, or it would be replayed
  // again and again.
  if (m.end_frame < m.sample_rate / 2) return false;
  generation = m.generation;
  return true;
}

bool FluidMusic::Quiet() const {
  std::lock_guard lock(impl_->mutex);
  return !impl_->sounding;
}

bool FluidMusic::EndIsCurrent(uint32_t generation) const {
  std::lock_guard lock(impl_->mutex);
  return generation == impl_->generation && !impl_->playing && impl_->played;
}
