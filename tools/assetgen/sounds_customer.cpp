// Customers, seals and payment: voices of the customers, the seal reactions,
// satisfaction going up or down, and the coin.
#include "tools/assetgen/sounds.h"

namespace assetgen {
namespace {
using namespace synth;

constexpr Vowel kNasalM{260, 1100, 2300};

// Out of stock, no seal, not enough money: a low, rounded double buzz.
Audio No(int rate) {
  Audio a = MakeMono(rate, 0.42);
  for (int i = 0; i < 2; ++i) {
    double at = 0.19 * i;
    Tone t{.freq = 155, .wave = Wave::Saw, .brightness = 0.5, .env = {0.006, 0.2, 0.8, 0.04}};
    AddTone(a.left, rate, at, 0.13, t);
    t.freq = 146.8;  // a rub against the first for the "wrong" colour
    t.gain = 0.7;
    AddTone(a.left, rate, at, 0.13, t);
  }
  LowpassInPlace(a.left, rate, 1600);
  return a;
}

// "Mu...": a closed-mouth grumble sinking away.
Audio Mu(int rate) {
  Audio a = MakeMono(rate, 0.6);
  AddVoice(a.left, rate, 0,
           {{0, 215, 0, kNasalM}, {0.05, 212, 0.8, kNasalM}, {0.2, 200, 1, kVowelU}, {0.56, 158, 0, kVowelU}},
           5, 15, 0.05, 201);
  return a;
}

// "Eh?": the voice rises in a question.
Audio E(int rate) {
  Audio a = MakeMono(rate, 0.42);
  AddVoice(a.left, rate, 0,
           {{0, 185, 0, kVowelE}, {0.04, 188, 0.9, kVowelE}, {0.22, 230, 1, kVowelE}, {0.4, 330, 0, kVowelE}},
           0, 0, 0.08, 202);
  return a;
}

// The crying plays every time a customer is turned away, so it is short and
// soft: a sob in the voice rather than a long trembling whine, its top
// softened so it never grates.

// "Waan": one falling cry with a small catch in it.
Audio Naki(int rate) {
  Audio a = MakeMono(rate, 0.8);
  AddVoice(a.left, rate, 0,
           {{0, 400, 0, kVowelU},
            {0.06, 440, 0.8, kVowelA},
            {0.3, 420, 1, kVowelA},
            {0.55, 340, 0.6, kVowelA},
            {0.72, 290, 0, kNasalM}},
           5, 12, 0.1, 203);
  LowpassInPlace(a.left, rate, 2200);
  return a;
}

// Sobbing: two short catches of breath and a sniff.
Audio Naki2(int rate) {
  Audio a = MakeMono(rate, 0.8);
  for (int i = 0; i < 2; ++i) {
    double pitch = 460 - 30 * i;
    AddVoice(a.left, rate, 0.2 * i,
             {{0, pitch, 0, kVowelE},
              {0.02, pitch, 0.9, kVowelE},
              {0.1, pitch * 0.9, 0.6, kVowelI},
              {0.15, pitch * 0.8, 0, kVowelI}},
             0, 0, 0.2, 204 + i);
  }
  AddVoice(
      a.left, rate, 0.42,
      {{0, 420, 0, kVowelE}, {0.03, 430, 0.8, kVowelE}, {0.18, 380, 0.5, kVowelI}, {0.3, 320, 0, kVowelI}}, 0,
      0, 0.15, 209);
  AddSwish(a.left, rate, 0.64, 0.1, 2500, 4000, 2, 0.15, 208);
  LowpassInPlace(a.left, rate, 2400);
  return a;
}

// "Uwaan": a little higher, in a small room.
Audio Naki3(int rate) {
  Audio a = MakeStereo(rate, 0.85);
  Signal v;
  AddVoice(v, rate, 0,
           {{0, 430, 0, kVowelU},
            {0.08, 500, 0.85, kVowelU},
            {0.22, 520, 1, kVowelA},
            {0.5, 470, 0.7, kVowelA},
            {0.68, 380, 0, kVowelO}},
           5.5, 15, 0.1, 210);
  LowpassInPlace(v, rate, 2400);
  MixPanned(a, v, 0, 0);
  AddRoom(a, 0.3, 0.12);
  return a;
}

// A brass note whose tone brightens as it speaks, like a real horn.
void AddBrass(Signal& out, int rate, double at, double gate, int note, double gain) {
  Tone body{.freq = NoteHz(note),
            .wave = Wave::Saw,
            .brightness = 0.45,
            .env = {0.02, 0.3, 0.75, 0.12},
            .gain = gain};
  Tone blat{.freq = NoteHz(note),
            .wave = Wave::Saw,
            .brightness = 0.85,
            .env = {0.012, 0.08, 0.15, 0.08},
            .gain = gain * 0.5};
  body.vibrato_hz = blat.vibrato_hz = 5.5;
  body.vibrato_cents = blat.vibrato_cents = 6;
  AddTone(out, rate, at, gate, body);
  AddTone(out, rate, at, gate, blat);
}

// The favourite seal: a fanfare, "ta-ta-ta-taaa", crowned with sparkles.
Audio Great(int rate) {
  Audio a = MakeStereo(rate, 1.3);
  Signal lead, harmony, bass, sparkle;
  const double step = 0.095;
  for (int i = 0; i < 3; ++i) {
    AddBrass(lead, rate, step * i, step * 0.6, 67, 0.5);     // G4
    AddBrass(harmony, rate, step * i, step * 0.6, 64, 0.4);  // E4
  }
  AddBrass(lead, rate, step * 3, 0.55, 72, 0.55);    // C5
  AddBrass(harmony, rate, step * 3, 0.55, 67, 0.4);  // G4
  AddBrass(harmony, rate, step * 3, 0.55, 64, 0.3);  // E4
  AddTone(bass, rate, step * 3, 0.55,
          {.freq = NoteHz(48), .wave = Wave::Triangle, .env = {0.01, 0.5, 0.6, 0.15}});
  const int sparkles[] = {84, 88, 91, 96};
  for (int i = 0; i < 4; ++i)
    AddBell(sparkle, rate, step * 3 + 0.05 * i, NoteHz(sparkles[i]), 0.6, GlassBell());
  LowpassInPlace(lead, rate, 4500);
  LowpassInPlace(harmony, rate, 3500);
  MixPanned(a, lead, 0, -0.15);
  MixPanned(a, harmony, 0, 0.25);
  MixPanned(a, bass, 0, 0, 0.5);
  MixPanned(a, sparkle, 0, 0.5, 0.25);
  AddRoom(a, 0.6, 0.22);
  return a;
}

// A liked seal: three happy notes up.
Audio Up2(int rate) {
  Audio a = MakeMono(rate, 0.65);
  const int notes[] = {76, 79, 84};  // E5 G5 C6
  for (int i = 0; i < 3; ++i) AddBell(a.left, rate, 0.065 * i, NoteHz(notes[i]), 0.5, GlassBell());
  return a;
}

// The seal missed the package: a wobbling slide down, "boyoyon".
Audio Choto(int rate) {
  Audio a = MakeMono(rate, 0.55);
  AddTone(a.left, rate, 0, 0.45,
          {.freq = 700,
           .freq_end = 330,
           .glide = 0.45,
           .vibrato_hz = 11,
           .vibrato_cents = 120,
           .wave = Wave::Triangle,
           .env = {0.01, 0.6, 0.5, 0.08}});
  return a;
}

// A disliked seal: "oe...", a low, rough groan.
Audio Oe(int rate) {
  Audio a = MakeMono(rate, 0.62);
  AddVoice(a.left, rate, 0,
           {{0, 175, 0, kVowelO}, {0.05, 170, 1, kVowelO}, {0.25, 150, 0.9, kVowelE}, {0.6, 115, 0, kVowelE}},
           24, 35, 0.2, 211);
  return a;
}

// Satisfaction up: a quick glittering run.
Audio Exp(int rate) {
  Audio a = MakeMono(rate, 0.6);
  const int notes[] = {84, 86, 88, 91, 93, 96};  // C6 pentatonic up to C7
  for (int i = 0; i < 6; ++i) AddBell(a.left, rate, 0.035 * i, NoteHz(notes[i]), 0.38, GlassBell());
  return a;
}

// Satisfaction down, a wage cut, a stolen seal: two soft notes falling.
Audio Down(int rate) {
  Audio a = MakeMono(rate, 0.55);
  Tone t{.freq = NoteHz(64), .wave = Wave::Triangle, .env = {0.008, 0.25, 0.5, 0.1}};
  AddTone(a.left, rate, 0, 0.14, t);
  t.freq = NoteHz(59);
  t.freq_end = NoteHz(58);
  t.glide = 0.3;
  AddTone(a.left, rate, 0.17, 0.22, t);
  return a;
}

// Money received: a bright two-note coin.
Audio Coin(int rate) {
  Audio a = MakeMono(rate, 0.6);
  Bell coin = CoinBell();
  AddBell(a.left, rate, 0, NoteHz(83), 0.08, coin);      // B5, cut short by the next
  AddBell(a.left, rate, 0.075, NoteHz(88), 0.52, coin);  // E6
  return a;
}

SoundList list({
    {"no.wav", kPcm8Mono11k, -8, &No},
    {"mu.wav", kPcm8Mono11k, -8, &Mu},
    {"e.wav", kPcm8Mono11k, -8, &E},
    {"naki.wav", kPcm16Mono22k, -10, &Naki},
    {"naki2.wav", kPcm16Mono22k, -10, &Naki2},
    {"naki3.wav", kPcm16Stereo44k, -10, &Naki3},
    {"great.wav", kPcm16Stereo44k, -3, &Great},
    {"up2.wav", kPcm16Mono22k, -5, &Up2},
    {"choto.wav", kPcm16Mono22k, -8, &Choto},
    {"oe.wav", kPcm8Mono11k, -7, &Oe},
    {"exp.wav", kPcm16Mono22k, -6, &Exp},
    {"down.wav", kPcm16Mono22k, -7, &Down},
    {"coin.wav", kPcm16Mono22k, -4, &Coin},
});

}  // namespace
}  // namespace assetgen
