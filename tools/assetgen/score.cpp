// Note names, durations and chord names for the music, and the line player.
#include "tools/assetgen/score.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen::score {
namespace {

int LetterClass(char c) {
  switch (c) {
    case 'C':
      return 0;
    case 'D':
      return 2;
    case 'E':
      return 4;
    case 'F':
      return 5;
    case 'G':
      return 7;
    case 'A':
      return 9;
    case 'B':
      return 11;
  }
  throw std::runtime_error(std::string("bad note letter: ") + c);
}

// Reads a letter and its accidental from the front of `s`.
int TakePitchClass(std::string_view& s) {
  if (s.empty()) throw std::runtime_error("empty note name");
  int pc = LetterClass(s[0]);
  s.remove_prefix(1);
  while (!s.empty() && (s[0] == '#' || s[0] == 'b')) {
    pc += s[0] == '#' ? 1 : -1;
    s.remove_prefix(1);
  }
  return (pc + 12) % 12;
}

std::vector<std::string_view> Split(std::string_view s, char sep) {
  std::vector<std::string_view> parts;
  while (!s.empty()) {
    size_t cut = s.find(sep);
    std::string_view part = s.substr(0, cut);
    if (!part.empty()) parts.push_back(part);
    if (cut == std::string_view::npos) break;
    s.remove_prefix(cut + 1);
  }
  return parts;
}

}  // namespace

int Pitch(std::string_view name) {
  std::string_view s = name;
  char letter = s.empty() ? '?' : s[0];
  int pc = TakePitchClass(s);
  if (s.empty() || s.find_first_not_of("-0123456789") != std::string_view::npos)
    throw std::runtime_error("bad note: " + std::string(name));
  int octave = std::stoi(std::string(s));
  // B#4 is C5 and Cb5 is B4: octave numbers follow the letter.
  int semis = pc - LetterClass(letter);
  if (semis > 6) semis -= 12;
  if (semis < -6) semis += 12;
  return 12 * (octave + 1) + LetterClass(letter) + semis;
}

uint32_t Duration(std::string_view name) {
  if (name.empty()) throw std::runtime_error("empty duration");
  uint32_t base = 0;
  switch (name[0]) {
    case 'w':
      base = 4 * kBeat;
      break;
    case 'h':
      base = 2 * kBeat;
      break;
    case 'q':
      base = kBeat;
      break;
    case 'e':
      base = kBeat / 2;
      break;
    case 's':
      base = kBeat / 4;
      break;
    default:
      throw std::runtime_error("bad duration: " + std::string(name));
  }
  if (name.size() == 2 && name[1] == '.') return base * 3 / 2;
  if (name.size() != 1) throw std::runtime_error("bad duration: " + std::string(name));
  return base;
}

std::vector<int> Chord::Spread(int low, int count) const {
  std::vector<int> out;
  for (int octave = 0; octave <= 120; octave += 12)
    for (int t : tones)
      if (root + t + octave >= low) out.push_back(root + t + octave);
  std::sort(out.begin(), out.end());
  out.resize(size_t(std::min<int>(count, int(out.size()))));
  return out;
}

Chord ParseChord(std::string_view name) {
  std::string_view s = name;
  Chord c;
  c.root = TakePitchClass(s);
  std::string_view quality = s.substr(0, s.find('/'));
  if (size_t slash = s.find('/'); slash != std::string_view::npos) {
    std::string_view bass = s.substr(slash + 1);
    c.bass = TakePitchClass(bass);
  } else {
    c.bass = c.root;
  }
  struct Quality {
    std::string_view name;
    std::vector<int> tones;
  };
  static const Quality kQualities[] = {
      {"", {0, 4, 7}},         {"m", {0, 3, 7}},          {"7", {0, 4, 7, 10}},
      {"maj7", {0, 4, 7, 11}}, {"m7", {0, 3, 7, 10}},     {"6", {0, 4, 7, 9}},
      {"m6", {0, 3, 7, 9}},    {"sus4", {0, 5, 7}},       {"7sus4", {0, 5, 7, 10}},
      {"add9", {0, 2, 4, 7}},  {"m9", {0, 3, 7, 10, 14}}, {"maj9", {0, 4, 7, 11, 14}},
  };
  for (const Quality& q : kQualities) {
    if (q.name == quality) {
      c.tones = q.tones;
      return c;
    }
  }
  throw std::runtime_error("unknown chord: " + std::string(name));
}

int PlaceAbove(int pc, int low) {
  int p = low + ((pc - low) % 12 + 12) % 12;
  return p;
}

void Voice::Note(uint32_t length, const std::vector<int>& keys, int velocity) {
  uint32_t sounding = std::max<uint32_t>(1, uint32_t(std::lround(length * legato_)));
  for (int key : keys) track_.Note(at_, sounding, channel_, key, velocity);
  at_ += length;
}

void Voice::Play(std::string_view line) {
  for (std::string_view token : Split(line, ' ')) {
    int velocity = velocity_;
    if (token[0] == '!' || token[0] == '~') {
      velocity += token[0] == '!' ? 14 : -14;
      token.remove_prefix(1);
    }
    std::string_view note = token.substr(0, token.find(':'));
    if (size_t colon = token.find(':'); colon != std::string_view::npos)
      last_length_ = Duration(token.substr(colon + 1));
    if (note == "r") {
      Rest(last_length_);
      continue;
    }
    std::vector<int> keys;
    for (std::string_view p : Split(note, '+')) keys.push_back(Pitch(p));
    Note(last_length_, keys, velocity);
  }
}

}  // namespace assetgen::score
