// shop.mid: the bright evening shop. A bouncy tune in G major at 126 beats a
// minute: A (8 bars), B (8), A (8) and a closing chord, about 48 s.
// Marimba melody, piano off-beat chords, walking acoustic bass, light drums.
#include <array>
#include <string>

#include "tools/assetgen/music.h"
#include "tools/assetgen/score.h"

namespace assetgen {
namespace {

constexpr int kBar = 4 * score::kBeat;
constexpr int kBars = 25;
constexpr int kMelody = 0, kPiano = 1, kBass = 2, kDrums = 9;

// One or two chords per bar ("Am7 D7" splits the bar in halves).
constexpr std::array<const char*, 24> kChords = {
    "G", "Em", "C",  "D",  "G",  "Em", "Am7 D7", "G",   // A
    "C", "D",  "Bm", "Em", "Am", "D",  "G",      "D7",  // B
    "G", "Em", "C",  "D",  "G",  "Em", "Am7 D7", "G",   // A
};

std::vector<std::string> ChordsOfBar(int bar) {
  std::string names = kChords[size_t(bar)];
  size_t space = names.find(' ');
  if (space == std::string::npos) return {names};
  return {names.substr(0, space), names.substr(space + 1)};
}

void WriteMelody(midi::Track& t) {
  score::Voice v(t, kMelody, 92, 0.85);
  const char* a_part =
      "D5:e G5 B5:q A5:e G5 E5:q  G5:q. E5:e B4:h  C5:e E5 G5:q A5:e G5 E5:q  F#5:q. E5:e D5:h "
      "D5:e G5 B5:q D6 B5  B5:q. A5:e G5:h  A5:q C6 F#5 A5 ";
  v.Play(a_part);
  v.Play("G5:h. r:q");
  v.Play("E5:q G5:e E5 C6:q G5  F#5:q A5:e F#5 D6:h  B5:q D6:e B5 F#5:h  G5:q B5:e G5 E5:h");
  v.Play("C6:q B5 A5 G5  F#5:q A5 D6:h  B5:q. A5:e G5:q D5  C6:q B5 A5 F#5");
  v.Play(a_part);
  v.Play("G5:h. D5:q");
  v.Play("G5:h r:h");  // the closing chord's top
}

// Off-beat chords, short and light, the way a shop's piano bounces.
void WritePiano(midi::Track& t) {
  for (int bar = 0; bar < 24; ++bar) {
    std::vector<std::string> chords = ChordsOfBar(bar);
    for (size_t half = 0; half < chords.size(); ++half) {
      std::vector<int> keys = score::ParseChord(chords[half]).Spread(59, 3);
      uint32_t at = uint32_t(bar * kBar) + uint32_t(half) * (chords.size() == 2 ? 2 * score::kBeat : 0);
      // One chord: on 1, the "and" of 2, and 4. Two chords: on 1 and the "and" of 1 (twice).
      const std::vector<uint32_t> hits =
          chords.size() == 1 ? std::vector<uint32_t>{0, 720, 1440} : std::vector<uint32_t>{0, 720};
      for (uint32_t hit : hits)
        for (int k : keys) t.Note(at + hit, 200, kPiano, k, hit == 0 ? 70 : 60);
    }
  }
  for (int k : {55, 59, 62, 67}) t.Note(24 * kBar, 2 * score::kBeat, kPiano, k, 62);
}

// Walking bass: root, third, fifth, then a step into the next root.
void WriteBass(midi::Track& t) {
  score::Voice v(t, kBass, 82, 0.8);
  for (int bar = 0; bar < 24; ++bar) {
    std::vector<std::string> chords = ChordsOfBar(bar);
    std::string next = ChordsOfBar((bar + 1) % 24)[0];
    int next_root = score::PlaceAbove(score::ParseChord(next).bass, 40);
    if (chords.size() == 1) {
      score::Chord c = score::ParseChord(chords[0]);
      int root = score::PlaceAbove(c.bass, 40);
      int approach = next_root > root ? next_root - 1 : next_root + 1;
      if (approach == root) approach = root + 7;
      v.Note(score::kBeat, {root}, 86);
      v.Note(score::kBeat, {root + c.tones[1]}, 74);
      v.Note(score::kBeat, {root + 7}, 80);
      v.Note(score::kBeat, {approach}, 72);
    } else {
      for (const std::string& name : chords) {
        int root = score::PlaceAbove(score::ParseChord(name).bass, 40);
        v.Note(score::kBeat, {root}, 84);
        v.Note(score::kBeat, {root + 7}, 74);
      }
    }
  }
  v.Note(2 * score::kBeat, {43}, 76);  // G2 under the closing chord
}

void WriteDrums(midi::Track& t) {
  constexpr int kKick = 36, kStick = 37, kHat = 42, kOpenHat = 46, kCrash = 49, kShaker = 70;
  for (int bar = 0; bar < 24; ++bar) {
    uint32_t at = uint32_t(bar * kBar);
    if (bar % 8 == 0) t.Note(at, 240, kDrums, kCrash, 70);
    for (int beat = 0; beat < 4; ++beat) {
      uint32_t b = at + uint32_t(beat) * score::kBeat;
      if (beat % 2 == 0)
        t.Note(b, 120, kDrums, kKick, 84);
      else
        t.Note(b, 120, kDrums, kStick, 70);
      t.Note(b, 60, kDrums, kHat, beat == 0 ? 62 : 52);
      bool last_off_beat = beat == 3 && bar % 4 == 3;
      t.Note(b + 240, 60, kDrums, last_off_beat ? kOpenHat : kHat, 44);
      t.Note(b + 240, 60, kDrums, kShaker, 38);
    }
    if (bar % 4 == 3)
      t.Note(at + 3 * score::kBeat + 240, 120, kDrums, kKick, 60);  // a push into the next phrase
  }
  t.Note(24 * kBar, 240, kDrums, kKick, 72);
  t.Note(24 * kBar, 240, kDrums, kCrash, 62);
}

}  // namespace

midi::Song ComposeShop() {
  midi::Song song;
  song.tracks.push_back(Conductor("Evening shop", 126, 4, 1));
  midi::Track melody("Marimba"), piano("Piano"), bass("Bass"), drums("Drums");
  // The soundfont's acoustic bass is loud and makes the peaks: it is held
  // back so the marimba leads and the piece keeps an even level.
  SetUpChannel(melody, kMelody, 12, 112, 10, 50);
  SetUpChannel(piano, kPiano, 0, 100, -22, 45);
  SetUpChannel(bass, kBass, 32, 78, 0, 25);
  SetUpChannel(drums, kDrums, 0, 76, 0, 40);
  WriteMelody(melody);
  WritePiano(piano);
  WriteBass(bass);
  WriteDrums(drums);
  for (midi::Track* t : {&melody, &piano, &bass, &drums}) song.tracks.push_back(std::move(*t));
  song.end_tick = kBars * kBar;
  return song;
}

}  // namespace assetgen
