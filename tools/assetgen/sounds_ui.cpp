// Interface and title sounds: typing blips, clicks, the logo and the menu.
#include "tools/assetgen/sounds.h"

namespace assetgen {
namespace {
using namespace synth;

// The message line's typing sound: it plays under every line, so it is a
// short, round blip that never tires the ear.
Audio Moji(int rate) {
  Audio a = MakeMono(rate, 0.05);
  Tone t{.freq = 1175, .freq_end = 990, .glide = 0.03, .env = {0.003, 0.045, 0, 0}};
  AddTone(a.left, rate, 0, 0.05, t);
  return a;
}

// Pointer onto a choice: a tiny tick.
Audio Key(int rate) {
  Audio a = MakeMono(rate, 0.032);
  AddTone(a.left, rate, 0, 0.032, {.freq = 1760, .env = {0.001, 0.025, 0, 0}});
  AddTone(a.left, rate, 0, 0.02, {.freq = 2640, .env = {0.001, 0.01, 0, 0}, .gain = 0.3});
  return a;
}

// The item list's selection moves: a rounder, lower tick.
Audio Key2(int rate) {
  Audio a = MakeMono(rate, 0.04);
  AddTone(a.left, rate, 0, 0.04, {.freq = 1320, .wave = Wave::Triangle, .env = {0.002, 0.034, 0, 0}});
  return a;
}

// A click ends a wait: a small wooden tok.
Audio Three(int rate) {
  Audio a = MakeMono(rate, 0.07);
  AddThump(a.left, rate, 0, 520, 0.05, 0.8, 31);
  AddTone(a.left, rate, 0.002, 0.03, {.freq = 1400, .env = {0.001, 0.025, 0, 0}, .gain = 0.35});
  return a;
}

// The item panel closes: a blip sliding down.
Audio Back(int rate) {
  Audio a = MakeMono(rate, 0.13);
  AddTone(
      a.left, rate, 0, 0.12,
      {.freq = 990, .freq_end = 560, .glide = 0.1, .wave = Wave::Triangle, .env = {0.003, 0.3, 0.4, 0.04}});
  return a;
}

// A choice is taken: a clear electronic "pi".
Audio Pi(int rate) {
  Audio a = MakeMono(rate, 0.11);
  AddTone(a.left, rate, 0, 0.07, {.freq = 1568, .wave = Wave::Triangle, .env = {0.003, 0.05, 0.55, 0.035}});
  AddTone(a.left, rate, 0, 0.07, {.freq = 3136, .env = {0.003, 0.03, 0, 0.02}, .gain = 0.12});
  return a;
}

// The Enter key, before the reset question: a cautious ding-dong.
Audio One(int rate) {
  Audio a = MakeMono(rate, 0.75);
  AddBell(a.left, rate, 0, NoteHz(79), 0.7, GlassBell());      // G5
  AddBell(a.left, rate, 0.17, NoteHz(76), 0.58, GlassBell());  // E5
  AddTone(a.left, rate, 0.17, 0.3, {.freq = NoteHz(64), .env = {0.01, 0.3, 0.2, 0.2}, .gain = 0.25});
  return a;
}

// The collection viewer closes: two notes stepping down.
Audio Four(int rate) {
  Audio a = MakeMono(rate, 0.4);
  AddBell(a.left, rate, 0, NoteHz(84), 0.35, GlassBell());     // C6
  AddBell(a.left, rate, 0.08, NoteHz(79), 0.32, GlassBell());  // G5
  return a;
}

// A seal is stuck on: a soft slap and a bright little pop.
Audio Point(int rate) {
  Audio a = MakeMono(rate, 0.3);
  AddThump(a.left, rate, 0, 190, 0.09, 0.7, 7);
  AddSwish(a.left, rate, 0, 0.025, 2500, 1800, 0.8, 0.6, 8);
  AddBell(a.left, rate, 0.015, NoteHz(88), 0.28, GlassBell());  // E6
  return a;
}

// The letter is unfolded: paper rustling open in two movements.
Audio Paper(int rate) {
  Audio a = MakeMono(rate, 1.0);
  AddSwish(a.left, rate, 0.0, 0.35, 1800, 3500, 1.2, 0.5, 11);
  AddCrinkle(a.left, rate, 0.02, 0.4, 160, 1500, 6000, 0.6, 12);
  AddSwish(a.left, rate, 0.42, 0.45, 3200, 1600, 1.2, 0.55, 13);
  AddCrinkle(a.left, rate, 0.45, 0.4, 120, 1200, 5000, 0.5, 14);
  return a;
}

// The first click on the logo: two bright notes that open the title.
Audio Start(int rate) {
  Audio a = MakeStereo(rate, 0.9);
  Signal n1, n2, glow;
  AddBell(n1, rate, 0, NoteHz(79), 0.85, GlassBell());  // G5
  AddBell(n2, rate, 0, NoteHz(86), 0.8, GlassBell());   // D6
  AddTone(glow, rate, 0, 0.25, {.freq = NoteHz(67), .env = {0.02, 0.3, 0.5, 0.4}, .gain = 0.25});
  MixPanned(a, n1, 0, -0.35, 0.8);
  MixPanned(a, n2, 0.09, 0.35, 0.8);
  MixPanned(a, glow, 0, 0, 1);
  AddRoom(a, 0.5, 0.25);
  return a;
}

// The title menu appears: a rising Cmaj9 arpeggio sweeping left to right.
Audio Start2(int rate) {
  Audio a = MakeStereo(rate, 1.1);
  const int notes[] = {72, 76, 79, 83, 86};
  for (int i = 0; i < 5; ++i) {
    Signal n;
    AddBell(n, rate, 0, NoteHz(notes[i]), 1.0 - 0.07 * i, GlassBell());
    MixPanned(a, n, 0.07 * i, -0.6 + 0.3 * i, 0.6);
  }
  AddRoom(a, 0.6, 0.3);
  return a;
}

// "Start" is chosen: a whoosh up into a full bright chord.
Audio Start3(int rate) {
  Audio a = MakeStereo(rate, 1.2);
  Signal whoosh_l, whoosh_r;
  AddSwish(whoosh_l, rate, 0, 0.32, 500, 5000, 1.5, 0.35, 21);
  AddSwish(whoosh_r, rate, 0, 0.32, 520, 5200, 1.5, 0.35, 22);
  MixPanned(a, whoosh_l, 0, -0.7);
  MixPanned(a, whoosh_r, 0, 0.7);
  const int chord[] = {72, 76, 79, 84};
  for (int i = 0; i < 4; ++i) {
    Signal n;
    AddBell(n, rate, 0, NoteHz(chord[i]), 0.85, GlassBell());
    MixPanned(a, n, 0.27 + 0.012 * i, -0.4 + 0.27 * i, 0.45);
  }
  Signal pad;
  AddTone(pad, rate, 0, 0.35,
          {.freq = NoteHz(60),
           .wave = Wave::Saw,
           .brightness = 0.35,
           .env = {0.01, 0.4, 0.4, 0.35},
           .gain = 0.3});
  MixPanned(a, pad, 0.27, 0);
  AddRoom(a, 0.6, 0.25);
  return a;
}

SoundList list({
    {"moji.wav", kPcm8Mono11k, -12, &Moji},
    {"key.wav", kPcm8Mono11k, -14, &Key},
    {"key2.wav", kPcm8Mono11k, -13, &Key2},
    {"3.wav", kPcm8Mono11k, -11, &Three},
    {"back.wav", kPcm8Mono11k, -10, &Back},
    {"pi.wav", kPcm16Mono22k, -10, &Pi},
    {"1.wav", kPcm16Mono22k, -6, &One},
    {"4.wav", kPcm16Mono22k, -8, &Four},
    {"point.wav", kPcm16Mono22k, -7, &Point},
    {"paper.wav", kPcm16Mono22k, -5, &Paper},
    {"start.wav", kPcm16Stereo44k, -4, &Start},
    {"start2.wav", kPcm16Stereo44k, -4, &Start2},
    {"start3.wav", kPcm16Stereo44k, -3, &Start3},
});

}  // namespace
}  // namespace assetgen
