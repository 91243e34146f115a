// col.mid: the seal collection's music box. A lullaby waltz in F major,
// 88 beats a minute, 32 bars in four sections (A A' B A''), about 65 s.
// Music box melody, celesta broken chords, harp bass.
#include <array>

#include "tools/assetgen/music.h"
#include "tools/assetgen/score.h"

namespace assetgen {
namespace {

constexpr int kBar = 3 * score::kBeat;
constexpr int kMelody = 0, kCelesta = 1, kHarp = 2;

// One chord per bar.
constexpr std::array<const char*, 32> kChords = {
    "F",  "C/E", "Dm", "Bb", "F",   "Gm7", "C7", "F",   // A
    "F",  "C/E", "Dm", "Bb", "Gm",  "C7",  "F",  "F",   // A'
    "Bb", "C",   "Am", "Dm", "Gm",  "Am",  "Bb", "C7",  // B
    "F",  "C/E", "Dm", "Bb", "Gm7", "C7",  "F",  "F",   // A''
};

void WriteMelody(midi::Track& t) {
  score::Voice v(t, kMelody, 78, 0.95);
  // A
  v.Play("C6:h A5:q  G5:h E5:q  F5:q A5 D6  C6:h Bb5:q");
  v.Play("A5:h F5:q  G5:q A5 Bb5  C6:q G5 E5  F5:h.");
  // A'
  v.set_velocity(84);
  v.Play("C6:q A5:e C6 F6:q  E6:h C6:q  D6:q C6 A5  Bb5:h D6:q");
  v.Play("Bb5:q A5 G5  C6:h E5:q  F5:h A5:q  F5:h.");
  // B: climbs higher, then leans back into the theme
  v.set_velocity(88);
  v.Play("D6:q F6 D6  E6:h C6:q  C6:q E6 C6  A5:h D6:q");
  v.Play("Bb5:q D6 !G6  E6:h C6:q  D6:q C6 Bb5  G5:q A5 Bb5");
  // A'': the theme once more, settling home
  v.set_velocity(76);
  v.Play("C6:h A5:q  G5:h E5:q  F5:q A5 D6  C6:h Bb5:q");
  v.Play("Bb5:q A5 G5  E5:h G5:q  F5:h.  ~F5:h r:q");
}

// Broken chords in eighths: up and back down inside one bar.
void WriteCelesta(midi::Track& t) {
  score::Voice v(t, kCelesta, 52, 0.9);
  for (int bar = 0; bar < 31; ++bar) {
    std::vector<int> tones = score::ParseChord(kChords[bar]).Spread(57, 4);
    const int pattern[6] = {0, 1, 2, 3, 2, 1};
    for (int i = 0; i < 6; ++i) v.Note(score::kBeat / 2, {tones[pattern[i]]}, i == 0 ? 56 : 48);
  }
  // Last bar: the F chord rolled upwards and left to ring.
  const int roll[4] = {65, 69, 72, 77};
  for (int i = 0; i < 4; ++i) t.Note(31 * kBar + 60 * i, kBar - 60 * i - 40, kCelesta, roll[i], 50);
}

void WriteHarp(midi::Track& t) {
  score::Voice v(t, kHarp, 66, 0.97);
  for (int bar = 0; bar < 32; ++bar) {
    score::Chord c = score::ParseChord(kChords[bar]);
    int bass = score::PlaceAbove(c.bass, 38);
    if (bar >= 16 && bar < 24) {
      // The middle section walks a little: root, then the fifth above.
      v.Note(2 * score::kBeat, {bass}, 66);
      v.Note(score::kBeat, {score::PlaceAbove(c.root, 38) + 7}, 54);
    } else {
      v.Note(kBar, {bass}, bar == 31 ? 54 : 66);
    }
  }
}

}  // namespace

midi::Song ComposeCollection() {
  midi::Song song;
  song.tracks.push_back(Conductor("Seal collection", 88, 3, -1));
  midi::Track melody("Music box"), celesta("Celesta"), harp("Harp");
  // The music box's attacks make the peaks: it leads, the others carry the level.
  SetUpChannel(melody, kMelody, 10, 100, 0, 70);
  SetUpChannel(celesta, kCelesta, 8, 96, -20, 70);
  SetUpChannel(harp, kHarp, 46, 112, 18, 60);
  WriteMelody(melody);
  WriteCelesta(celesta);
  WriteHarp(harp);
  song.tracks.push_back(std::move(melody));
  song.tracks.push_back(std::move(celesta));
  song.tracks.push_back(std::move(harp));
  song.end_tick = 32 * kBar;
  return song;
}

}  // namespace assetgen
