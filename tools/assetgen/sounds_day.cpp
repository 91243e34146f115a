// The shop day around the customers: the manager, promotion and game over,
// the evening shop, the night and the morning, and items.
#include "tools/assetgen/sounds.h"

namespace assetgen {
namespace {
using namespace synth;

constexpr Vowel kHum{250, 1000, 2300};

// The manager's "hmph".
Audio Fun(int rate) {
  Audio a = MakeMono(rate, 0.34);
  AddSwish(a.left, rate, 0, 0.07, 1200, 900, 1, 0.2, 301);
  AddVoice(a.left, rate, 0.04,
           {{0, 150, 0, kHum}, {0.03, 152, 1, kHum}, {0.13, 136, 0.8, kVowelU}, {0.28, 112, 0, kHum}}, 0, 0,
           0.25, 302);
  return a;
}

// "A-ha-ha": the manager's laugh.
Audio Aha(int rate) {
  Audio a = MakeMono(rate, 0.62);
  for (int i = 0; i < 3; ++i) {
    double pitch = 175 - 12 * i, at = 0.17 * i;
    AddVoice(a.left, rate, at,
             {{0, pitch, 0, kVowelA},
              {0.025, pitch * 1.06, 1 - 0.15 * i, kVowelA},
              {0.12, pitch * 0.92, 0, kVowelO}},
             0, 0, 0.4, 303 + i);
  }
  return a;
}

// "Aa...": a sigh before one of the manager's stories.
Audio Aa(int rate) {
  Audio a = MakeMono(rate, 0.85);
  AddVoice(
      a.left, rate, 0,
      {{0, 135, 0, kVowelA}, {0.08, 140, 0.9, kVowelA}, {0.5, 122, 0.7, kVowelA}, {0.8, 104, 0, kVowelO}}, 4,
      10, 0.35, 306);
  return a;
}

// Promotion: a climbing arpeggio landing on a bright major chord.
Audio LvUp(int rate) {
  Audio a = MakeStereo(rate, 1.5);
  const int run[] = {72, 76, 79, 84, 88, 91};
  for (int i = 0; i < 6; ++i) {
    Signal n;
    AddTone(n, rate, 0, 0.06,
            {.freq = NoteHz(run[i]),
             .wave = Wave::Square,
             .brightness = 0.4,
             .env = {0.004, 0.1, 0.5, 0.05},
             .gain = 0.35});
    AddBell(n, rate, 0, NoteHz(run[i]), 0.3, GlassBell());
    MixPanned(a, n, 0.06 * i, -0.5 + 0.2 * i, 0.5);
  }
  const int chord[] = {60, 64, 67, 72, 76};
  for (int i = 0; i < 5; ++i) {
    Signal n;
    AddTone(n, rate, 0, 0.55,
            {.freq = NoteHz(chord[i]),
             .vibrato_hz = 5,
             .vibrato_cents = 5,
             .wave = Wave::Saw,
             .brightness = 0.35,
             .env = {0.02, 0.4, 0.6, 0.3},
             .gain = 0.22});
    AddBell(n, rate, 0, NoteHz(chord[i] + 12), 0.8, GlassBell());
    MixPanned(a, n, 0.38, -0.4 + 0.2 * i, 0.5);
  }
  AddRoom(a, 0.6, 0.22);
  return a;
}

// Dismissed: a slow phrase sinking chromatically onto a soft minor chord.
Audio GameOver(int rate) {
  Audio a = MakeStereo(rate, 2.6);
  Signal lead, pad;
  const int phrase[] = {67, 66, 65, 64};
  double at = 0;
  for (int i = 0; i < 4; ++i) {
    double len = 0.2 + 0.03 * i;
    AddTone(lead, rate, at, len * 0.8,
            {.freq = NoteHz(phrase[i]),
             .vibrato_hz = 5,
             .vibrato_cents = 8,
             .wave = Wave::Triangle,
             .env = {0.02, 0.4, 0.7, 0.12},
             .gain = 0.7});
    at += len;
  }
  AddTone(lead, rate, at, 0.9,
          {.freq = NoteHz(63),
           .vibrato_hz = 4.5,
           .vibrato_cents = 12,
           .wave = Wave::Triangle,
           .env = {0.03, 0.8, 0.6, 0.6},
           .gain = 0.7});
  const int chord[] = {48, 55, 60, 63};  // C minor, low and open
  for (int n : chord)
    AddTone(pad, rate, at, 0.9,
            {.freq = NoteHz(n),
             .wave = Wave::Saw,
             .brightness = 0.25,
             .env = {0.15, 1.0, 0.6, 0.6},
             .gain = 0.2});
  LowpassInPlace(pad, rate, 1200);
  MixPanned(a, lead, 0, -0.1);
  MixPanned(a, pad, 0, 0.15);
  AddRoom(a, 0.8, 0.28);
  return a;
}

// The evening shop opens: the door's little bells and a welcoming chord.
Audio Box(int rate) {
  Audio a = MakeStereo(rate, 1.2);
  Rng rng(311);
  const int bells[] = {93, 98, 95, 100, 93, 98};  // A6 D7 B6 E7
  for (int i = 0; i < 6; ++i) {
    Signal n;
    AddBell(n, rate, 0, NoteHz(bells[i]) * rng.Range(0.995, 1.005), 0.6, CoinBell());
    MixPanned(a, n, 0.055 * i + rng.Range(0, 0.015), rng.Range(-0.6, 0.6), 0.45 * (1 - 0.1 * i));
  }
  const int chord[] = {67, 71, 74, 79};  // G major
  for (int i = 0; i < 4; ++i) {
    Signal n;
    AddBell(n, rate, 0, NoteHz(chord[i]), 0.8, SoftMallet());
    MixPanned(a, n, 0.3 + 0.03 * i, -0.3 + 0.2 * i, 0.5);
  }
  AddRoom(a, 0.5, 0.2);
  return a;
}

// Night falls: two crickets, a far owl, a low quiet chord.
Audio Night(int rate) {
  const double length = 3.0;
  Audio a = MakeStereo(rate, length);
  for (int c = 0; c < 2; ++c) {
    Signal cricket;
    double hz = c ? 4350 : 3900, every = c ? 0.47 : 0.36;
    for (double t = 0.1 + 0.13 * c; t < length - 0.4; t += every) {
      for (int p = 0; p < 3; ++p)
        AddTone(cricket, rate, t + 0.028 * p, 0.012,
                {.freq = hz, .env = {0.003, 0.02, 0.8, 0.006}, .gain = 0.3});
    }
    MixPanned(a, cricket, 0, c ? 0.7 : -0.7);
  }
  Signal owl;
  for (int h = 0; h < 2; ++h)
    AddTone(owl, rate, 1.3 + 0.42 * h, 0.22,
            {.freq = 392, .freq_end = 350, .glide = 0.25, .env = {0.05, 0.4, 0.6, 0.12}, .gain = 0.45});
  MixPanned(a, owl, 0, -0.3);
  Signal pad;
  const int chord[] = {45, 52, 55, 59, 64};  // A minor with the ninth: still, not sad
  for (int n : chord)
    AddTone(pad, rate, 0, length - 1.0,
            {.freq = NoteHz(n),
             .vibrato_hz = 0.3,
             .vibrato_cents = 6,
             .env = {0.6, 2.0, 0.7, 0.95},
             .gain = 0.16});
  MixPanned(a, pad, 0, 0);
  AddRoom(a, 0.8, 0.3);
  a.left.resize(size_t(length * rate));
  a.right.resize(size_t(length * rate));
  FadeEdges(a, 0.01, 0.4);
  return a;
}

// A thief: pizzicato tiptoeing up a chromatic line, then a startled "tink".
Audio Dorobou(int rate) {
  Audio a = MakeStereo(rate, 1.7);
  struct Step {
    double t;
    int note;
    double gain;
  };
  const Step steps[] = {{0.0, 52, 0.9},  {0.22, 55, 0.7}, {0.44, 57, 0.8}, {0.66, 58, 0.7},
                        {0.77, 59, 0.9}, {1.1, 52, 0.6},  {1.21, 64, 0.5}};
  uint32_t seed = 321;
  for (const Step& s : steps) {
    Signal n;
    AddPluck(n, rate, 0, NoteHz(s.note), 0.3, s.gain, 0.994, seed++);
    MixPanned(a, n, s.t, s.note > 60 ? 0.3 : -0.2);
  }
  for (double t : {0.0, 0.44, 0.77}) {
    Signal bass;
    AddPluck(bass, rate, 0, NoteHz(40), 0.35, 0.6, 0.996, seed++);
    MixPanned(a, bass, t, 0);
  }
  Signal tink;
  AddBell(tink, rate, 0, NoteHz(88), 0.3, MusicBoxTine());
  MixPanned(a, tink, 1.38, 0.5, 0.25);
  LowpassInPlace(a.left, rate, 5000);
  LowpassInPlace(a.right, rate, 5000);
  AddRoom(a, 0.4, 0.15);
  return a;
}

// The cock crows: "ko-ke-kok-koooo".
Audio Koke(int rate) {
  Audio a = MakeMono(rate, 1.35);
  const double rough_hz = 28, rough_cents = 35, breath = 0.25;
  AddVoice(a.left, rate, 0.0, {{0, 560, 0, kVowelO}, {0.02, 620, 1, kVowelO}, {0.09, 600, 0, kVowelO}},
           rough_hz, rough_cents, breath, 331);
  AddVoice(a.left, rate, 0.12, {{0, 700, 0, kVowelE}, {0.02, 760, 1, kVowelE}, {0.11, 720, 0, kVowelE}},
           rough_hz, rough_cents, breath, 332);
  AddVoice(a.left, rate, 0.26, {{0, 680, 0, kVowelO}, {0.02, 740, 1, kVowelO}, {0.09, 700, 0, kVowelO}},
           rough_hz, rough_cents, breath, 333);
  AddVoice(a.left, rate, 0.4,
           {{0, 700, 0, kVowelO},
            {0.04, 820, 1, kVowelO},
            {0.35, 880, 1, kVowelU},
            {0.7, 720, 0.6, kVowelU},
            {0.92, 560, 0, kVowelU}},
           rough_hz, rough_cents, breath, 334);
  return a;
}

// A chick: "piyo, piyo".
Audio Hit(int rate) {
  Audio a = MakeMono(rate, 0.75);
  for (int i = 0; i < 2; ++i) {
    double at = 0.34 * i;
    AddTone(a.left, rate, at, 0.06,
            {.freq = 3000, .freq_end = 4200, .glide = 0.05, .env = {0.005, 0.1, 0.8, 0.02}});
    AddTone(a.left, rate, at + 0.1, 0.09,
            {.freq = 4300, .freq_end = 3100, .glide = 0.09, .env = {0.005, 0.2, 0.8, 0.03}, .gain = 0.85});
  }
  return a;
}

// An egg: a treasure's glittering rise and a shimmer.
Audio Takara(int rate) {
  Audio a = MakeStereo(rate, 1.4);
  const int rise[] = {79, 84, 88, 91, 96};
  for (int i = 0; i < 5; ++i) {
    Signal n;
    AddBell(n, rate, 0, NoteHz(rise[i]), 0.9, GlassBell());
    MixPanned(a, n, 0.06 * i, -0.4 + 0.2 * i, 0.5);
  }
  Rng rng(341);
  const int shimmer[] = {96, 100, 103, 108};
  for (int i = 0; i < 10; ++i) {
    Signal n;
    AddBell(n, rate, 0, NoteHz(shimmer[rng.Next() % 4]), 0.35, GlassBell());
    MixPanned(a, n, 0.32 + 0.05 * i + rng.Range(0, 0.02), rng.Range(-0.8, 0.8), 0.18 * (1 - 0.07 * i));
  }
  AddRoom(a, 0.6, 0.25);
  return a;
}

// The shop opens in the morning: a bright rising chime over a warm chord.
Audio Oha(int rate) {
  Audio a = MakeStereo(rate, 1.1);
  const int notes[] = {76, 79, 84};
  for (int i = 0; i < 3; ++i) {
    Signal n;
    AddBell(n, rate, 0, NoteHz(notes[i]), 0.9 - 0.1 * i, GlassBell());
    MixPanned(a, n, 0.12 * i, -0.3 + 0.3 * i, 0.6);
  }
  Signal warm;
  for (int n : {60, 64, 67})
    AddTone(warm, rate, 0.24, 0.3,
            {.freq = NoteHz(n), .wave = Wave::Triangle, .env = {0.04, 0.5, 0.6, 0.4}, .gain = 0.22});
  MixPanned(a, warm, 0, 0);
  AddRoom(a, 0.5, 0.2);
  return a;
}

// An item is received: "ta-dah".
Audio Item(int rate) {
  Audio a = MakeMono(rate, 0.75);
  AddBell(a.left, rate, 0, NoteHz(79), 0.12, GlassBell());
  for (int n : {84, 88, 91}) AddBell(a.left, rate, 0.1, NoteHz(n), 0.62, GlassBell());
  AddTone(a.left, rate, 0.1, 0.2,
          {.freq = NoteHz(60), .wave = Wave::Triangle, .env = {0.01, 0.4, 0.5, 0.3}, .gain = 0.4});
  return a;
}

// An item is bought: the register's "cha-ching".
Audio Buy(int rate) {
  Audio a = MakeMono(rate, 0.6);
  AddCrinkle(a.left, rate, 0, 0.05, 500, 2500, 5000, 0.6, 351);
  AddThump(a.left, rate, 0.02, 400, 0.05, 0.3, 352);
  Bell bell = CoinBell();
  AddBell(a.left, rate, 0.07, NoteHz(88), 0.5, bell);
  AddBell(a.left, rate, 0.07, NoteHz(95), 0.5, bell);
  return a;
}

SoundList list({
    {"fun.wav", kPcm8Mono11k, -8, &Fun},
    {"aha.wav", kPcm16Mono22k, -6, &Aha},
    {"aa.wav", kPcm16Mono22k, -7, &Aa},
    {"lvup.wav", kPcm16Stereo44k, -3, &LvUp},
    {"gameover.wav", kPcm16Stereo44k, -3, &GameOver},
    {"box.wav", kPcm16Stereo44k, -4, &Box},
    {"night.wav", kPcm16Stereo44k, -6, &Night},
    {"dorobou.wav", kPcm16Stereo44k, -3, &Dorobou},
    {"koke.wav", kPcm16Mono22k, -6, &Koke},
    {"hit.wav", kPcm16Mono22k, -8, &Hit},
    {"takara.wav", kPcm16Stereo44k, -4, &Takara},
    {"oha.wav", kPcm16Stereo44k, -4, &Oha},
    {"item.wav", kPcm16Mono22k, -5, &Item},
    {"buy.wav", kPcm8Mono11k, -5, &Buy},
});

}  // namespace
}  // namespace assetgen
