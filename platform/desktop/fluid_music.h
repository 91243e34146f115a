// MIDI music on FluidSynth. Whoever owns the audio output (the SDL callback,
// or a test) calls MixInto with the output's stereo frames; a thread of the
// player's own renders the piece ahead into memory, and a piece played again
// (as the game loops it) replays what was rendered. The player's clock is
// the rendered sample count.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/music.h"

class FluidMusic : public MusicPlayer {
 public:
  static constexpr double kGain = 1.1;  // music about 4 dB under the effects, peaks well clear of clipping

  // Null when the soundfont cannot be loaded. `soundfont` "" means the first
  // installed of FindSoundfont().
  static std::unique_ptr<FluidMusic> Create(int sample_rate, const std::string& soundfont = "");
  ~FluidMusic() override;

  bool Open(const std::string& path) override;
  bool Play() override;
  void Stop() override;
  bool IsOpen() const override;

  // Audio thread: adds `frames` interleaved stereo frames of music into
  // `out`, saturating. True when the play reached its natural end during
  // this call; `generation` then names that play.
  bool MixInto(int16_t* out, int frames, uint32_t& generation);
  // Any thread: no play runs and no voice still rings, so MixInto would add
  // nothing.
  bool Quiet() const;
  // Main thread: true when an end reported with `generation` still stands,
  // i.e. nothing was stopped, opened or played since.
  bool EndIsCurrent(uint32_t generation) const;

 private:
  struct Impl;
  explicit FluidMusic(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// The General MIDI soundfont installed on this machine, or "".
std::string FindSoundfont();
// Checks the chunk structure of a Standard MIDI File: a header chunk and
// track chunks that all lie within the data.
bool IsWellFormedMidi(const std::vector<uint8_t>& bytes);
