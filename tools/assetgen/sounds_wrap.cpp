// Wrapping and folding: paper and plastic bags, boxes, the carrier bag and
// the bread bag, one sound for putting the article in, one for folding.
#include <cmath>

#include "tools/assetgen/sounds.h"

namespace assetgen {
namespace {
using namespace synth;

// A knock on cardboard: a dull thump plus the hollow ring of the box's walls.
void AddBoxKnock(Signal& out, int rate, double at, double body_hz, double gain, uint32_t seed) {
  AddThump(out, rate, at, body_hz, 0.18, gain, seed);
  Rng rng(seed * 7 + 1);
  Biquad wall1, wall2;
  wall1.Bandpass(rate, body_hz * 3.1, 7);
  wall2.Bandpass(rate, body_hz * 5.3, 9);
  Signal ring(size_t(0.16 * rate));
  for (size_t i = 0; i < ring.size(); ++i) {
    double t = double(i) / rate;
    double hit = t < 0.008 ? rng.Bipolar() * (1 - t / 0.008) : 0;
    ring[i] = float(3.5 * wall1.Run(hit) + 2.2 * wall2.Run(hit));
  }
  MixInto(out, ring, at, rate, gain);
}

// Tape pulled off the roll: a rasping noise band with a fast flutter.
void AddTape(Signal& out, int rate, double at, double length, double gain, uint32_t seed) {
  Rng rng(seed);
  Biquad band;
  Signal s(size_t(length * rate));
  for (size_t i = 0; i < s.size(); ++i) {
    double t = double(i) / rate, u = t / length;
    if (i % 16 == 0) band.Bandpass(rate, 1800 + 1400 * u, 2.5);
    double flutter = 0.55 + 0.45 * std::sin(6.2832 * (38 + 20 * u) * t);
    double env = std::min(1.0, u * 10) * std::min(1.0, (1 - u) * 6);
    s[i] = float(2.5 * band.Run(rng.Bipolar()) * flutter * env);
  }
  MixInto(out, s, at, rate, gain);
}

Audio Small(int rate) {
  Audio a = MakeMono(rate, 0.36);
  AddSwish(a.left, rate, 0, 0.16, 1500, 3000, 1.4, 0.5, 101);
  AddCrinkle(a.left, rate, 0.04, 0.28, 220, 1500, 4800, 0.7, 102);
  return a;
}

Audio Small2(int rate) {
  Audio a = MakeMono(rate, 0.3);
  AddSwish(a.left, rate, 0, 0.11, 2800, 1600, 1.3, 0.6, 103);
  AddSwish(a.left, rate, 0.12, 0.1, 2600, 1500, 1.3, 0.5, 104);
  AddThump(a.left, rate, 0.21, 300, 0.06, 0.3, 105);
  return a;
}

Audio White0(int rate) {
  Audio a = MakeMono(rate, 0.55);
  AddSwish(a.left, rate, 0, 0.25, 1200, 3200, 1.2, 0.55, 111);
  AddCrinkle(a.left, rate, 0.08, 0.35, 200, 1500, 6500, 0.6, 112);
  AddThump(a.left, rate, 0.36, 170, 0.12, 0.45, 113);
  return a;
}

Audio White(int rate) {
  Audio a = MakeMono(rate, 0.48);
  AddSwish(a.left, rate, 0, 0.2, 3000, 1400, 1.2, 0.55, 114);
  AddCrinkle(a.left, rate, 0.2, 0.08, 300, 2500, 7000, 0.7, 115);
  AddSwish(a.left, rate, 0.25, 0.18, 2800, 1500, 1.2, 0.45, 116);
  AddCrinkle(a.left, rate, 0.38, 0.07, 300, 2500, 7000, 0.6, 117);
  return a;
}

Audio Mis(int rate) {
  Audio a = MakeMono(rate, 0.62);
  AddSwish(a.left, rate, 0, 0.3, 800, 2400, 1.0, 0.6, 121);
  AddCrinkle(a.left, rate, 0.1, 0.42, 170, 900, 4000, 0.65, 122);
  AddThump(a.left, rate, 0.42, 140, 0.15, 0.55, 123);
  return a;
}

Audio Mis2(int rate) {
  Audio a = MakeMono(rate, 0.52);
  AddSwish(a.left, rate, 0, 0.22, 2400, 1000, 1.0, 0.6, 124);
  AddSwish(a.left, rate, 0.24, 0.22, 2200, 900, 1.0, 0.55, 125);
  AddCrinkle(a.left, rate, 0.18, 0.1, 250, 1500, 5000, 0.5, 126);
  return a;
}

// The big bag takes a heavy article: a rustle and a "don".
Audio Don(int rate) {
  Audio a = MakeMono(rate, 0.7);
  AddSwish(a.left, rate, 0, 0.3, 600, 2000, 1.0, 0.55, 131);
  AddCrinkle(a.left, rate, 0.05, 0.35, 150, 700, 3500, 0.55, 132);
  AddThump(a.left, rate, 0.3, 85, 0.38, 1.0, 133);
  AddCrinkle(a.left, rate, 0.31, 0.15, 200, 900, 3500, 0.4, 134);
  return a;
}

Audio Big(int rate) {
  Audio a = MakeMono(rate, 0.7);
  AddSwish(a.left, rate, 0, 0.45, 2200, 700, 0.9, 0.65, 135);
  AddCrinkle(a.left, rate, 0.1, 0.45, 140, 800, 4000, 0.55, 136);
  AddThump(a.left, rate, 0.52, 120, 0.15, 0.4, 137);
  return a;
}

// The article goes into the box: "dan".
Audio Dan(int rate) {
  Audio a = MakeMono(rate, 0.4);
  AddSwish(a.left, rate, 0, 0.1, 900, 1800, 1.2, 0.3, 141);
  AddBoxKnock(a.left, rate, 0.08, 110, 1.0, 142);
  return a;
}

// The lid slides on and shuts.
Audio Hako2(int rate) {
  Audio a = MakeMono(rate, 0.5);
  AddSwish(a.left, rate, 0, 0.16, 700, 1500, 1.5, 0.4, 143);
  AddBoxKnock(a.left, rate, 0.16, 150, 0.9, 144);
  AddBoxKnock(a.left, rate, 0.27, 170, 0.45, 145);
  return a;
}

Audio Tesage(int rate) {
  Audio a = MakeStereo(rate, 0.62);
  Signal l, r, bottom;
  AddSwish(l, rate, 0, 0.3, 1500, 4000, 1.2, 0.5, 151);
  AddSwish(r, rate, 0.01, 0.3, 1600, 4200, 1.2, 0.5, 152);
  AddCrinkle(l, rate, 0.06, 0.4, 180, 2000, 8000, 0.6, 153);
  AddCrinkle(r, rate, 0.06, 0.4, 180, 2000, 8000, 0.6, 154);
  AddThump(bottom, rate, 0.42, 160, 0.13, 0.5, 155);
  MixPanned(a, l, 0, -0.5);
  MixPanned(a, r, 0, 0.5);
  MixPanned(a, bottom, 0, 0);
  return a;
}

// The handles come together and the bag is patted into shape.
Audio Tesage2(int rate) {
  Audio a = MakeStereo(rate, 0.5);
  Signal l, r, taps;
  AddSwish(l, rate, 0, 0.18, 3500, 1800, 1.3, 0.5, 156);
  AddSwish(r, rate, 0.02, 0.18, 3300, 1700, 1.3, 0.5, 157);
  AddCrinkle(l, rate, 0.15, 0.12, 250, 2500, 8000, 0.5, 158);
  AddThump(taps, rate, 0.25, 210, 0.07, 0.45, 159);
  AddThump(taps, rate, 0.35, 230, 0.07, 0.35, 160);
  MixPanned(a, l, 0, -0.4);
  MixPanned(a, r, 0, 0.4);
  MixPanned(a, taps, 0, 0);
  return a;
}

// The big box: a deeper, hollower "don".
Audio Hako3(int rate) {
  Audio a = MakeStereo(rate, 0.55);
  Signal s, l, r;
  AddSwish(l, rate, 0, 0.12, 700, 1500, 1.2, 0.3, 161);
  AddSwish(r, rate, 0.01, 0.12, 750, 1600, 1.2, 0.3, 162);
  AddBoxKnock(s, rate, 0.1, 75, 1.0, 163);
  MixPanned(a, l, 0, -0.5);
  MixPanned(a, r, 0, 0.5);
  MixPanned(a, s, 0, 0);
  AddRoom(a, 0.2, 0.12, 0.6);
  return a;
}

// The big lid shuts and a strip of tape seals it.
Audio Hako4(int rate) {
  Audio a = MakeStereo(rate, 0.8);
  Signal lid, tape;
  AddBoxKnock(lid, rate, 0, 95, 1.0, 164);
  AddBoxKnock(lid, rate, 0.12, 105, 0.5, 165);
  AddTape(tape, rate, 0.3, 0.32, 0.5, 166);
  LowpassInPlace(tape, rate, 6000);
  AddThump(lid, rate, 0.66, 180, 0.08, 0.3, 167);
  MixPanned(a, lid, 0, 0);
  MixPanned(a, tape, 0, 0.3);
  AddRoom(a, 0.2, 0.1, 0.6);
  return a;
}

// The bread bag: crisp kraft paper.
Audio Kami(int rate) {
  Audio a = MakeMono(rate, 0.5);
  AddSwish(a.left, rate, 0, 0.2, 2000, 4500, 1.4, 0.4, 171);
  AddCrinkle(a.left, rate, 0.02, 0.45, 320, 1800, 7500, 0.75, 172);
  return a;
}

// Its top is folded over twice: "shk, shk".
Audio Kami2(int rate) {
  Audio a = MakeMono(rate, 0.5);
  for (int i = 0; i < 2; ++i) {
    double at = 0.24 * i;
    AddSwish(a.left, rate, at, 0.12, 3800, 2000, 1.4, 0.45, 173 + i);
    AddCrinkle(a.left, rate, at + 0.06, 0.1, 400, 2500, 8000, 0.7, 175 + i);
  }
  return a;
}

SoundList list({
    {"small.wav", kPcm8Mono11k, -5, &Small},
    {"small2.wav", kPcm8Mono11k, -6, &Small2},
    {"white0.wav", kPcm16Mono22k, -5, &White0},
    {"white.wav", kPcm16Mono22k, -6, &White},
    {"mis.wav", kPcm16Mono22k, -5, &Mis},
    {"mis2.wav", kPcm16Mono22k, -6, &Mis2},
    {"don.wav", kPcm16Mono22k, -3, &Don},
    {"big.wav", kPcm16Mono22k, -5, &Big},
    {"dan.wav", kPcm16Mono22k, -3, &Dan},
    {"hako2.wav", kPcm16Mono22k, -4, &Hako2},
    {"tesage.wav", kPcm16Stereo44k, -5, &Tesage},
    {"tesage2.wav", kPcm16Stereo44k, -5, &Tesage2},
    {"hako3.wav", kPcm16Stereo44k, -3, &Hako3},
    {"hako4.wav", kPcm16Stereo44k, -4, &Hako4},
    {"kami.wav", kPcm16Mono22k, -5, &Kami},
    {"kami2.wav", kPcm16Mono22k, -5, &Kami2},
});

}  // namespace
}  // namespace assetgen
