// star.mid: the dreamy evening shop, under the first stars. D major at 72
// beats a minute, seventh chords with a borrowed minor sixth, 18 bars, 60 s.
// Vibraphone melody, warm pad, harp arpeggios, fretless bass, celesta twinkles.
#include <array>
#include <string>

#include "tools/assetgen/music.h"
#include "tools/assetgen/score.h"

namespace assetgen {
namespace {

constexpr int kBar = 4 * score::kBeat;
constexpr int kBars = 18;
constexpr int kMelody = 0, kPad = 1, kHarp = 2, kBass = 3, kCelesta = 4;

constexpr std::array<const char*, kBars> kChords = {
    "Dmaj7", "Bm7",   "Gmaj7", "A7sus4 A7", "F#m7",  "Bm7",  "Em7", "Gm6 A7",     // A
    "Gmaj7", "F#m7",  "Em7",   "Dmaj7",     "Gmaj7", "F#m7", "Em7", "A7sus4 A7",  // B
    "Dmaj9", "Dmaj9",                                                             // coda
};

std::vector<std::string> ChordsOfBar(int bar) {
  std::string names = kChords[size_t(bar)];
  size_t space = names.find(' ');
  if (space == std::string::npos) return {names};
  return {names.substr(0, space), names.substr(space + 1)};
}

void WriteMelody(midi::Track& t) {
  score::Voice v(t, kMelody, 80, 0.97);
  v.Play("F#5:h. A5:q  D6:h C#6:q B5  B5:h. F#5:q  A5:h G5");
  v.Play("A5:q. C#6:e E6:h  D6:q C#6 B5 A5  G5:h. B5:q  Bb5:h A5");
  v.set_velocity(86);
  v.Play("B5:q D6 F#6:h  E6:h. C#6:q  D6:h B5:q G5  A5:w");
  v.Play("B5:q. C#6:e D6:h  C#6:q. E6:e A5:h  G5:q B5 D6 F#6  E6:h C#6");
  v.set_velocity(74);
  v.Play("D6:w r:w");
}

// Each chord held for as long as it lasts; the coda holds one chord for two bars.
void WritePad(midi::Track& t) {
  for (int bar = 0; bar < 16; ++bar) {
    std::vector<std::string> chords = ChordsOfBar(bar);
    uint32_t len = kBar / uint32_t(chords.size());
    for (size_t i = 0; i < chords.size(); ++i)
      for (int k : score::ParseChord(chords[i]).Spread(50, 4))
        t.Note(uint32_t(bar * kBar) + uint32_t(i) * len, len - 20, kPad, k, 58);
  }
  for (int k : score::ParseChord("Dmaj9").Spread(50, 5))
    t.Note(16 * kBar, 2 * kBar - score::kBeat, kPad, k, 54);
}

// Harp in eighths, rising and falling through the chord.
void WriteHarp(midi::Track& t) {
  score::Voice v(t, kHarp, 60, 1.6);  // notes overlap and ring, as a harp does
  for (int bar = 0; bar < 17; ++bar) {
    std::vector<std::string> chords = ChordsOfBar(bar);
    for (const std::string& name : chords) {
      std::vector<int> tones = score::ParseChord(name).Spread(62, 5);
      const std::vector<int> pattern =
          chords.size() == 1 ? std::vector<int>{0, 1, 2, 3, 4, 3, 2, 1} : std::vector<int>{0, 1, 2, 3};
      for (size_t i = 0; i < pattern.size(); ++i)
        v.Note(score::kBeat / 2, {tones[size_t(pattern[i])]}, i == 0 ? 66 : 56);
    }
  }
  // The last bar: one slow roll up to the top, then silence.
  v.set_legato(1);
  std::vector<int> roll = score::ParseChord("Dmaj9").Spread(62, 6);
  for (size_t i = 0; i < roll.size(); ++i)
    t.Note(17 * kBar + uint32_t(i) * 160, 2 * score::kBeat, kHarp, roll[i], 50);
}

void WriteBass(midi::Track& t) {
  score::Voice v(t, kBass, 72, 0.96);
  for (int bar = 0; bar < 16; ++bar) {
    std::vector<std::string> chords = ChordsOfBar(bar);
    for (const std::string& name : chords)
      v.Note(kBar / uint32_t(chords.size()), {score::PlaceAbove(score::ParseChord(name).bass, 38)}, 72);
  }
  t.Note(16 * kBar, 2 * kBar - score::kBeat, kBass, 38, 66);  // D2 under the coda
}

// Twinkles in the second half: two high chord notes on the third beat.
void WriteCelesta(midi::Track& t) {
  for (int bar = 8; bar < 17; bar += 2) {
    std::vector<int> top = score::ParseChord(ChordsOfBar(bar)[0]).Spread(86, 2);
    uint32_t at = uint32_t(bar * kBar) + 2 * score::kBeat;
    t.Note(at, 360, kCelesta, top[1], 46);
    t.Note(at + 240, 600, kCelesta, top[0], 40);
  }
}

}  // namespace

midi::Song ComposeStar() {
  midi::Song song;
  song.tracks.push_back(Conductor("Starry shop", 72, 4, 2));
  midi::Track melody("Vibraphone"), pad("Warm pad"), harp("Harp"), bass("Fretless bass"), celesta("Celesta");
  // Channel volumes a decibel under the other pieces' mix: this one plays most
  // evenings and its pad and harp fill more of the bar, so it sits as far under
  // the effects as they do.
  SetUpChannel(melody, kMelody, 11, 94, 8, 80);
  SetUpChannel(pad, kPad, 89, 58, -10, 90);
  SetUpChannel(harp, kHarp, 46, 75, -28, 70);
  SetUpChannel(bass, kBass, 35, 85, 0, 40);
  SetUpChannel(celesta, kCelesta, 8, 66, 30, 90);
  WriteMelody(melody);
  WritePad(pad);
  WriteHarp(harp);
  WriteBass(bass);
  WriteCelesta(celesta);
  for (midi::Track* t : {&melody, &pad, &harp, &bass, &celesta}) song.tracks.push_back(std::move(*t));
  song.end_tick = kBars * kBar;
  return song;
}

}  // namespace assetgen
