// The three pieces of music in dat/: Standard MIDI Files that parse event by
// event, last 30 to 90 seconds, release every note, and end on the home
// chord so the loop closes cleanly; and the MIDI writer's delta times.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/assets/asset_files.h"
#include "tools/assetgen/midi_writer.h"

namespace {
using namespace asset_test;

struct Note {
  uint32_t on, off;  // ticks
  int channel, key;
};

struct Smf {
  std::string error;  // empty when well formed
  uint32_t format = 0, division = 0;
  size_t tracks = 0;
  std::map<uint32_t, uint32_t> tempo;  // tick -> microseconds per quarter
  int sharps = 0;
  bool has_key = false;
  std::set<int> programmed_channels;
  std::vector<Note> notes;
  uint32_t end_tick = 0;  // latest end-of-track
  int hanging_notes = 0;  // note-ons never switched off

  double Seconds(uint32_t tick) const {
    double s = 0;
    uint32_t at = 0, us = 500000;
    for (auto [t, v] : tempo) {
      if (t >= tick) break;
      s += double(t - at) * us / division / 1e6;
      at = t, us = v;
    }
    return s + double(tick - at) * us / division / 1e6;
  }
};

bool ReadVlq(const std::vector<uint8_t>& b, size_t& at, size_t end, uint32_t& value) {
  value = 0;
  for (int i = 0; i < 4; ++i) {
    if (at >= end) return false;
    uint8_t byte = b[at++];
    value = value << 7 | (byte & 0x7f);
    if (!(byte & 0x80)) return true;
  }
  return false;  // more than four bytes
}

// Decodes every event of every track, independently of the writer.
Smf ParseSmf(const std::vector<uint8_t>& b) {
  Smf m;
  if (b.size() < 14 || Tag(b, 0) != "MThd" || Be32(b, 4) != 6) return m.error = "no MThd header", m;
  m.format = Be16(b, 8), m.division = Be16(b, 12);
  size_t declared = Be16(b, 10);
  if (m.division == 0 || (m.division & 0x8000)) return m.error = "division must be ticks per quarter", m;
  size_t at = 14;
  while (at < b.size()) {
    if (at + 8 > b.size() || Tag(b, at) != "MTrk") return m.error = "expected MTrk", m;
    size_t end = at + 8 + Be32(b, at + 4);
    if (end > b.size()) return m.error = "track runs past the end of the file", m;
    at += 8;
    uint32_t tick = 0;
    uint8_t status = 0;
    bool ended = false;
    std::map<std::pair<int, int>, std::vector<uint32_t>> sounding;
    while (at < end) {
      if (ended) return m.error = "events after end-of-track", m;
      uint32_t delta;
      if (!ReadVlq(b, at, end, delta)) return m.error = "bad delta time", m;
      tick += delta;
      if (at >= end) return m.error = "delta without event", m;
      if (b[at] & 0x80)
        status = b[at++];
      else if (status == 0 || status >= 0xf0)
        return m.error = "data byte without status", m;
      if (status == 0xff) {
        if (at >= end) return m.error = "truncated meta event", m;
        uint8_t type = b[at++];
        uint32_t len;
        if (!ReadVlq(b, at, end, len) || at + len > end) return m.error = "bad meta length", m;
        if (type == 0x51 && len == 3) m.tempo[tick] = b[at] << 16 | b[at + 1] << 8 | b[at + 2];
        if (type == 0x59 && len == 2) m.sharps = int8_t(b[at]), m.has_key = true;
        if (type == 0x2f) {
          if (len != 0) return m.error = "bad end-of-track", m;
          ended = true;
          m.end_tick = std::max(m.end_tick, tick);
        }
        at += len;
        status = 0;
      } else if (status == 0xf0 || status == 0xf7) {
        uint32_t len;
        if (!ReadVlq(b, at, end, len) || at + len > end) return m.error = "bad sysex length", m;
        at += len;
        status = 0;
      } else {
        int kind = status & 0xf0, channel = status & 0x0f;
        size_t count = (kind == 0xc0 || kind == 0xd0) ? 1 : 2;
        if (at + count > end) return m.error = "truncated channel event", m;
        for (size_t i = 0; i < count; ++i)
          if (b[at + i] & 0x80) return m.error = "data byte above 127", m;
        int key = b[at], velocity = count == 2 ? b[at + 1] : 0;
        if (kind == 0xc0) m.programmed_channels.insert(channel);
        if (kind == 0x90 && velocity > 0) {
          sounding[{channel, key}].push_back(tick);
        } else if (kind == 0x80 || kind == 0x90) {
          auto& on = sounding[{channel, key}];
          if (on.empty()) return m.error = "note-off without note-on", m;
          m.notes.push_back({on.front(), tick, channel, key});
          on.erase(on.begin());
        }
        at += count;
      }
    }
    if (!ended) return m.error = "track without end-of-track", m;
    for (auto& [k, on] : sounding) m.hanging_notes += int(on.size());
    ++m.tracks;
  }
  if (m.tracks != declared) return m.error = "track count differs from the header", m;
  return m;
}

const char* const kPieces[] = {"col.mid", "shop.mid", "star.mid"};

TEST(MusicAssets, PiecesParseAsMultiTrackGeneralMidi) {
  for (const std::string& name : NamesInGameSources(".mid"))
    EXPECT_TRUE(std::filesystem::exists(DatPath(name))) << "the game plays " << name;
  for (const char* name : kPieces) {
    Smf m = ParseSmf(ReadBytes(DatPath(name)));
    ASSERT_EQ(m.error, "") << name;
    EXPECT_EQ(m.format, 1u) << name;
    EXPECT_GE(m.tracks, 4u) << name << ": a conductor and at least three parts";
    EXPECT_FALSE(m.tempo.empty()) << name;
    EXPECT_TRUE(m.has_key) << name;
    EXPECT_EQ(m.hanging_notes, 0) << name << ": a note is never released";
    // Every melodic channel that plays chooses its instrument.
    for (const Note& n : m.notes)
      if (n.channel != 9) {
        EXPECT_TRUE(m.programmed_channels.count(n.channel)) << name << " ch " << n.channel;
      }
  }
  // The bright shop piece has a drum part on the percussion channel.
  Smf shop = ParseSmf(ReadBytes(DatPath("shop.mid")));
  EXPECT_GT(std::count_if(shop.notes.begin(), shop.notes.end(), [](const Note& n) { return n.channel == 9; }),
            50);
}

TEST(MusicAssets, PiecesLastHalfAMinuteToAMinuteAndAHalf) {
  for (const char* name : kPieces) {
    Smf m = ParseSmf(ReadBytes(DatPath(name)));
    ASSERT_EQ(m.error, "") << name;
    double seconds = m.Seconds(m.end_tick);
    EXPECT_GE(seconds, 30) << name;
    EXPECT_LE(seconds, 90) << name;
    // No long silence at the start or the end, or the loop would stall.
    uint32_t first = UINT32_MAX, last = 0;
    for (const Note& n : m.notes) first = std::min(first, n.on), last = std::max(last, n.off);
    EXPECT_LE(m.Seconds(first), 0.5) << name;
    EXPECT_LE(m.Seconds(m.end_tick) - m.Seconds(last), 2.0) << name;
    EXPECT_LE(last, m.end_tick) << name;
  }
}

// The last chord is the home chord of the piece's key: its lowest note is
// the key note, so the loop starts again from rest.
TEST(MusicAssets, PiecesEndOnTheirHomeKey) {
  for (const char* name : kPieces) {
    Smf m = ParseSmf(ReadBytes(DatPath(name)));
    ASSERT_EQ(m.error, "") << name;
    ASSERT_TRUE(m.has_key) << name;
    int tonic = ((m.sharps * 7) % 12 + 12) % 12;  // major keys
    uint32_t last_on = 0;
    for (const Note& n : m.notes)
      if (n.channel != 9) last_on = std::max(last_on, n.on);
    int lowest = 128;
    for (const Note& n : m.notes)
      if (n.channel != 9 && n.off > last_on) lowest = std::min(lowest, n.key);  // sounding at the last attack
    ASSERT_LT(lowest, 128) << name;
    EXPECT_EQ(lowest % 12, tonic) << name;
  }
}

TEST(MusicAssets, GenerationIsDeterministic) {
  ScratchDir first("music_a"), second("music_b");
  ASSERT_TRUE(RunGenerator(first.path, "music"));
  ASSERT_TRUE(RunGenerator(second.path, "music"));
  for (const char* name : kPieces) {
    std::vector<uint8_t> a = ReadBytes((first.path / "dat" / name).string());
    ASSERT_FALSE(a.empty()) << name;
    EXPECT_EQ(a, ReadBytes((second.path / "dat" / name).string())) << name;
    EXPECT_EQ(a, ReadBytes(DatPath(name))) << name << " differs from the built game's copy";
  }
}

TEST(MidiWriter, DeltaTimesUseTheStandardVariableLengthForm) {
  using B = std::vector<uint8_t>;
  EXPECT_EQ(assetgen::midi::EncodeVlq(0), B({0x00}));
  EXPECT_EQ(assetgen::midi::EncodeVlq(0x7f), B({0x7f}));
  EXPECT_EQ(assetgen::midi::EncodeVlq(0x80), B({0x81, 0x00}));
  EXPECT_EQ(assetgen::midi::EncodeVlq(0x2000), B({0xc0, 0x00}));
  EXPECT_EQ(assetgen::midi::EncodeVlq(0x3fff), B({0xff, 0x7f}));
  EXPECT_EQ(assetgen::midi::EncodeVlq(0x4000), B({0x81, 0x80, 0x00}));
  EXPECT_EQ(assetgen::midi::EncodeVlq(0x1fffff), B({0xff, 0xff, 0x7f}));
  EXPECT_EQ(assetgen::midi::EncodeVlq(0x200000), B({0x81, 0x80, 0x80, 0x00}));
  EXPECT_EQ(assetgen::midi::EncodeVlq(0x0fffffff), B({0xff, 0xff, 0xff, 0x7f}));
  EXPECT_THROW(assetgen::midi::EncodeVlq(0x10000000), std::runtime_error);
}

// A written song reads back with its notes, tempo and end where they were put.
TEST(MidiWriter, SongsReadBackExactly) {
  assetgen::midi::Song song;
  song.tracks.emplace_back("conductor");
  song.tracks[0].Tempo(0, 120);
  song.tracks[0].KeySignature(0, -3, false);
  song.tracks.emplace_back("part");
  song.tracks[1].Program(0, 2, 46);
  song.tracks[1].Note(0, 480, 2, 60, 90);
  song.tracks[1].Note(480, 480, 2, 60, 90);  // same key again right after: off must come first
  song.tracks[1].Note(200000, 100, 2, 72, 90);
  song.end_tick = 300000;
  Smf m = ParseSmf(assetgen::midi::EncodeSmf(song));
  ASSERT_EQ(m.error, "");
  EXPECT_EQ(m.tracks, 2u);
  EXPECT_EQ(m.sharps, -3);
  EXPECT_EQ(m.tempo.at(0), 500000u);
  ASSERT_EQ(m.notes.size(), 3u);
  EXPECT_EQ(m.notes[0].on, 0u);
  EXPECT_EQ(m.notes[0].off, 480u);
  EXPECT_EQ(m.notes[1].on, 480u);
  EXPECT_EQ(m.notes[1].off, 960u);
  EXPECT_EQ(m.notes[2].off, 200100u);
  EXPECT_EQ(m.end_tick, 300000u);
  EXPECT_NEAR(m.Seconds(m.end_tick), 300000 / 960.0, 1e-9);
  EXPECT_THROW(song.tracks[1].Note(0, 10, 16, 60, 90), std::runtime_error);
}

}  // namespace
