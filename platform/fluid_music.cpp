// MIDI music on FluidSynth. The piece is read into memory on the main thread,
// so the audio thread never touches a file; a new player is made for every
// play, so each play starts from the top with the synth reset.
#include "platform/fluid_music.h"

#include <fluidsynth.h>

#include <algorithm>
#include <filesystem>
#include <mutex>

#include "files/regular_file.h"

namespace {

constexpr int kChunkFrames = 1024;
constexpr uintmax_t kMaxPieceBytes = 4 << 20;  // far beyond any song of the game

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
  fluid_synth_t* synth = nullptr;
  fluid_player_t* player = nullptr;  // the current play, if any

  mutable std::mutex mutex;  // held by the audio thread while it renders
  std::vector<uint8_t> piece;
  bool open = false;
  bool playing = false;        // a play runs and has not reached its end
  uint32_t generation = 0;     // +1 at every open, play and stop
  uint64_t frames_played = 0;  // frames rendered since the play began
  int16_t scratch[kChunkFrames * 2];

  ~Impl() {
    DropPlayer();
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
  }

  void DropPlayer() {
    if (!player) return;
    fluid_player_stop(player);
    delete_fluid_player(player);
    player = nullptr;
    fluid_synth_all_sounds_off(synth, -1);
  }
};

FluidMusic::FluidMusic(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
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
  std::lock_guard lock(impl_->mutex);
  // Opening closes the piece still open, whether or not the new one is good.
  impl_->DropPlayer();
  impl_->playing = false;
  ++impl_->generation;
  impl_->open = good;
  impl_->piece = good ? std::move(bytes) : std::vector<uint8_t>();
  return good;
}

bool FluidMusic::Play() {
  std::lock_guard lock(impl_->mutex);
  Impl& m = *impl_;
  m.DropPlayer();
  m.playing = false;
  ++m.generation;
  if (!m.open) return false;
  fluid_synth_system_reset(m.synth);  // programs and controllers of the last piece go
  m.player = new_fluid_player(m.synth);
  if (!m.player) return false;
  if (fluid_player_add_mem(m.player, m.piece.data(), m.piece.size()) != FLUID_OK ||
      fluid_player_play(m.player) != FLUID_OK) {
    m.DropPlayer();
    return false;
  }
  m.playing = true;
  m.frames_played = 0;
  return true;
}

void FluidMusic::Stop() {
  std::lock_guard lock(impl_->mutex);
  impl_->DropPlayer();
  impl_->playing = false;
  ++impl_->generation;
}

bool FluidMusic::IsOpen() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->open;
}

bool FluidMusic::MixInto(int16_t* out, int frames, uint32_t& generation) {
  std::lock_guard lock(impl_->mutex);
  Impl& m = *impl_;
  if (!m.playing && fluid_synth_get_active_voice_count(m.synth) == 0) return false;
  for (int done = 0; done < frames;) {
    int n = std::min(kChunkFrames, frames - done);
    fluid_synth_write_s16(m.synth, n, m.scratch, 0, 2, m.scratch, 1, 2);
    int16_t* dst = out + done * 2;
    for (int i = 0; i < n * 2; ++i) {
      dst[i] = static_cast<int16_t>(std::clamp(dst[i] + m.scratch[i], -32768, 32767));
    }
    done += n;
  }
  m.frames_played += frames;
  if (!m.playing || fluid_player_get_status(m.player) != FLUID_PLAYER_DONE) return false;
  m.playing = false;
  // A piece that ends within half a second never really played (FluidSynth
  // could not read its events): report no end, or it would be replayed
  // again and again.
  if (m.frames_played < static_cast<uint64_t>(m.sample_rate / 2)) return false;
  generation = m.generation;
  return true;
}

bool FluidMusic::Quiet() const {
  std::lock_guard lock(impl_->mutex);
  return !impl_->playing && fluid_synth_get_active_voice_count(impl_->synth) == 0;
}

bool FluidMusic::EndIsCurrent(uint32_t generation) const {
  std::lock_guard lock(impl_->mutex);
  return generation == impl_->generation && !impl_->playing && impl_->player;
}
