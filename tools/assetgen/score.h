// A compact way to write music down: notes like "F#5:q", chords like "Gmaj7",
// and a voice that plays a line of them onto a MIDI track.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/assetgen/midi_writer.h"

namespace assetgen::score {

inline constexpr uint32_t kBeat = midi::kTicksPerQuarter;

// "C4" = 60. Sharps '#', flats 'b'.
int Pitch(std::string_view name);
// "w" "h" "q" "e" "s", with a trailing '.' for dotted, in ticks.
uint32_t Duration(std::string_view name);

struct Chord {
  int root;                // pitch class 0-11
  int bass;                // pitch class of the bass (slash chords)
  std::vector<int> tones;  // semitones above the root, ascending
  // The chord's tones from `low` upwards, `count` of them.
  std::vector<int> Spread(int low, int count) const;
};
// "F", "C/E", "Dm", "Gm7", "C7", "Gmaj7", "A7sus4", "Gm6", "Dadd9"...
Chord ParseChord(std::string_view name);
// The pitch of pitch class `pc` in [low, low + 12).
int PlaceAbove(int pc, int low);

// Plays lines of notes on one channel of a track, keeping its place in time.
// Tokens are separated by spaces: "NOTE:DUR" where NOTE is a pitch, "r" for
// a rest, or pitches joined by '+' for a chord; DUR may be left out to reuse
// the last one. A leading '!' accents the note, '~' softens it.
class Voice {
 public:
  Voice(midi::Track& track, int channel, int velocity, double legato = 0.92)
      : track_(track), channel_(channel), velocity_(velocity), legato_(legato) {}
  void Play(std::string_view line);
  void Note(uint32_t length, const std::vector<int>& keys, int velocity);
  void Rest(uint32_t length) { at_ += length; }
  void Seek(uint32_t tick) { at_ = tick; }
  uint32_t at() const { return at_; }
  void set_velocity(int v) { velocity_ = v; }
  void set_legato(double l) { legato_ = l; }

 private:
  midi::Track& track_;
  int channel_;
  int velocity_;
  double legato_;
  uint32_t at_ = 0;
  uint32_t last_length_ = kBeat;
};

}  // namespace assetgen::score
