// Encoding of songs as Standard MIDI Files.
#include "tools/assetgen/midi_writer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen::midi {
namespace {

uint8_t Data7(int v) {
  if (v < 0 || v > 127) throw std::runtime_error("MIDI data byte out of range");
  return uint8_t(v);
}
uint8_t Status(int kind, int channel) {
  if (channel < 0 || channel > 15) throw std::runtime_error("MIDI channel out of range");
  return uint8_t(kind | channel);
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(uint8_t(v >> s));
}
void PutTag(std::vector<uint8_t>& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(tag[i]));
}

}  // namespace

void Track::Add(uint32_t tick, int rank, std::vector<uint8_t> bytes) {
  events_.push_back({tick, rank, std::move(bytes)});
}

void Track::Tempo(uint32_t tick, double bpm) {
  uint32_t us = uint32_t(std::lround(60000000.0 / bpm));
  Add(tick, 0, {0xff, 0x51, 0x03, uint8_t(us >> 16), uint8_t(us >> 8), uint8_t(us)});
}

void Track::TimeSignature(uint32_t tick, int numerator, int denominator) {
  int power = 0;
  while ((1 << power) < denominator) ++power;
  Add(tick, 0, {0xff, 0x58, 0x04, Data7(numerator), uint8_t(power), 24, 8});
}

void Track::KeySignature(uint32_t tick, int sharps, bool minor) {
  Add(tick, 0, {0xff, 0x59, 0x02, uint8_t(int8_t(sharps)), uint8_t(minor ? 1 : 0)});
}

void Track::Program(uint32_t tick, int channel, int program) {
  Add(tick, 2, {Status(0xc0, channel), Data7(program)});
}

void Track::Control(uint32_t tick, int channel, int controller, int value) {
  Add(tick, 2, {Status(0xb0, channel), Data7(controller), Data7(value)});
}

void Track::Note(uint32_t tick, uint32_t length, int channel, int key, int velocity) {
  if (length == 0) throw std::runtime_error("MIDI note without length");
  Add(tick, 3, {Status(0x90, channel), Data7(key), Data7(std::clamp(velocity, 1, 127))});
  Add(tick + length, 1, {Status(0x80, channel), Data7(key), 64});
}

uint32_t Track::LastTick() const {
  uint32_t last = 0;
  for (const Event& e : events_) last = std::max(last, e.tick);
  return last;
}

std::vector<uint8_t> EncodeVlq(uint32_t value) {
  if (value >= (1u << 28)) throw std::runtime_error("MIDI delta time too large");
  std::vector<uint8_t> out{uint8_t(value & 0x7f)};
  while (value >>= 7) out.insert(out.begin(), uint8_t(0x80 | (value & 0x7f)));
  return out;
}

std::vector<uint8_t> EncodeSmf(const Song& song) {
  if (song.tracks.empty() || song.tracks.size() > 0xffff) throw std::runtime_error("bad MIDI track count");
  std::vector<uint8_t> file;
  PutTag(file, "MThd");
  Put32(file, 6);
  for (int v : {1, int(song.tracks.size()), kTicksPerQuarter}) {
    file.push_back(uint8_t(v >> 8));
    file.push_back(uint8_t(v));
  }
  for (const Track& track : song.tracks) {
    std::vector<Track::Event> events = track.events();
    std::stable_sort(events.begin(), events.end(), [](const Track::Event& a, const Track::Event& b) {
      return a.tick != b.tick ? a.tick < b.tick : a.rank < b.rank;
    });
    std::vector<uint8_t> body;
    auto put_delta = [&](uint32_t delta) {
      for (uint8_t b : EncodeVlq(delta)) body.push_back(b);
    };
    // Track name first.
    put_delta(0);
    body.push_back(0xff);
    body.push_back(0x03);
    for (uint8_t b : EncodeVlq(uint32_t(track.name().size()))) body.push_back(b);
    body.insert(body.end(), track.name().begin(), track.name().end());
    uint32_t now = 0;
    for (const Track::Event& e : events) {
      put_delta(e.tick - now);
      now = e.tick;
      body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    put_delta(std::max(song.end_tick, now) - now);
    for (uint8_t b : {0xff, 0x2f, 0x00}) body.push_back(b);
    PutTag(file, "MTrk");
    Put32(file, uint32_t(body.size()));
    file.insert(file.end(), body.begin(), body.end());
  }
  return file;
}

}  // namespace assetgen::midi
