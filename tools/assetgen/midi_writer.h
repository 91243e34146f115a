// Standard MIDI Files (format 1): tracks of timed events, encoded with
// variable-length delta times and an end-of-track on every track.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen::midi {

inline constexpr int kTicksPerQuarter = 480;

class Track {
 public:
  explicit Track(std::string name) : name_(std::move(name)) {}

  // Meta events (normally on the first track).
  void Tempo(uint32_t tick, double bpm);
  void TimeSignature(uint32_t tick, int numerator, int denominator);
  void KeySignature(uint32_t tick, int sharps, bool minor);  // sharps < 0: flats
  // Channel events; channel 0-15 (9 is percussion).
  void Program(uint32_t tick, int channel, int program);
  void Control(uint32_t tick, int channel, int controller, int value);
  void Note(uint32_t tick, uint32_t length, int channel, int key, int velocity);

  const std::string& name() const { return name_; }
  uint32_t LastTick() const;

  struct Event {
    uint32_t tick;
    int rank;  // at one tick: meta, then note-offs, then controls, then note-ons
    std::vector<uint8_t> bytes;
  };
  const std::vector<Event>& events() const { return events_; }

 private:
  void Add(uint32_t tick, int rank, std::vector<uint8_t> bytes);
  std::string name_;
  std::vector<Event> events_;
};

struct Song {
  std::vector<Track> tracks;
  uint32_t end_tick = 0;  // every track ends here (at least after its last event)
};

std::vector<uint8_t> EncodeVlq(uint32_t value);  // value < 2^28
std::vector<uint8_t> EncodeSmf(const Song& song);

}  // namespace assetgen::midi
