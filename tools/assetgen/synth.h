// A small synthesis kit for the game's sound effects: oscillators, envelopes,
// seeded noise, filters, a plucked string, a small room and mixing. Every
// generator is deterministic: the same call gives the same samples.
#pragma once

#include <cstdint>
#include <vector>

namespace assetgen::synth {

using Signal = std::vector<float>;  // one channel, -1..1

// A sound being built: mono when `right` is empty.
struct Audio {
  int rate = 22050;  // samples per second
  Signal left;
  Signal right;
  bool Stereo() const { return !right.empty(); }
  double Seconds() const { return double(left.size()) / rate; }
};

Audio MakeMono(int rate, double seconds);
Audio MakeStereo(int rate, double seconds);

// xorshift32 with a fixed seed: the same noise at every build.
class Rng {
 public:
  explicit Rng(uint32_t seed) : s_(seed ? seed : 0x9e3779b9u) {}
  uint32_t Next();
  double Uniform();  // 0..1
  double Bipolar();  // -1..1
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

 private:
  uint32_t s_;
};

// Attack, decay to the sustain level, hold while the gate is open, release.
// Decay and release fall exponentially (about -60 dB over their time).
struct Adsr {
  double attack = 0.005;                      // seconds
  double decay = 0.1;                         // seconds
  double sustain = 0.0;                       // 0..1
  double release = 0.05;                      // seconds
  double Level(double t, double gate) const;  // t and gate in seconds
  double Length(double gate) const { return gate + release; }
};

enum class Wave {
  Sine,
  Triangle,  // odd harmonics falling as 1/k^2
  Saw,       // all harmonics; `brightness` tilts them down
  Square,    // odd harmonics; `brightness` tilts them down
};

// One pitched note. Frequencies in Hz; the pitch glides exponentially from
// `freq` to `freq_end` over `glide` seconds.
struct Tone {
  double freq = 440;
  double freq_end = 0;  // 0: no glide
  double glide = 0;     // seconds
  double vibrato_hz = 0;
  double vibrato_cents = 0;
  Wave wave = Wave::Sine;
  double brightness = 1;  // 0..1: 1 keeps 1/k (saw), lower values darken
  Adsr env;
  double gain = 1;
};

// Adds a tone of gate length `gate` starting at `at` seconds; returns the end.
double AddTone(Signal& out, int rate, double at, double gate, const Tone& tone);

// Inharmonic partials that ring out: bells, chimes, music-box tines, coins.
struct Partial {
  double ratio;  // of the fundamental
  double amp;
  double decay;  // seconds to fall by 60 dB
};
struct Bell {
  std::vector<Partial> partials;
  double attack = 0.002;
  double gain = 1;
};
Bell GlassBell();     // bright, clean: chimes and menus
Bell CoinBell();      // metallic, short
Bell MusicBoxTine();  // thin tine with a quick high shimmer
Bell SoftMallet();    // marimba-like wooden bar
void AddBell(Signal& out, int rate, double at, double freq, double length, const Bell& bell);

// Formant voice: a harmonic source shaped by up to three vowel resonances.
struct Vowel {
  double f1, f2, f3;  // Hz
};
inline constexpr Vowel kVowelA{800, 1200, 2500};
inline constexpr Vowel kVowelE{500, 1900, 2600};
inline constexpr Vowel kVowelI{320, 2300, 3000};
inline constexpr Vowel kVowelO{500, 850, 2500};
inline constexpr Vowel kVowelU{340, 1000, 2400};
struct VoicePoint {
  double t;     // seconds from the voice's start
  double freq;  // Hz
  double amp;   // 0..1
  Vowel vowel;
};
// Interpolates linearly between the points (pitch in the log domain).
void AddVoice(Signal& out, int rate, double at, const std::vector<VoicePoint>& path, double vibrato_hz = 0,
              double vibrato_cents = 0, double breath = 0, uint32_t seed = 1);

// Filters -----------------------------------------------------------------

struct OnePole {
  double a = 0, y = 0;
  void SetLowpass(int rate, double hz);
  double Low(double x) { return y += a * (x - y); }
  double High(double x) { return x - Low(x); }
};

// RBJ biquad. Its coefficients may change per sample for sweeps.
struct Biquad {
  double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  void Lowpass(int rate, double hz, double q = 0.707);
  void Highpass(int rate, double hz, double q = 0.707);
  void Bandpass(int rate, double hz, double q);  // 0 dB peak
  double Run(double x);
};

void LowpassInPlace(Signal& s, int rate, double hz);
void HighpassInPlace(Signal& s, int rate, double hz);

// Noise shapes ------------------------------------------------------------

// Band-passed noise whose centre sweeps from `hz_from` to `hz_to`, under an
// attack/release swell: a swish of paper or cloth.
void AddSwish(Signal& out, int rate, double at, double length, double hz_from, double hz_to, double q,
              double gain, uint32_t seed);
// Many tiny band-passed noise grains at random moments: crinkling paper or
// plastic. `density` is grains per second; centres lie in [hz_lo, hz_hi].
void AddCrinkle(Signal& out, int rate, double at, double length, double density, double hz_lo, double hz_hi,
                double gain, uint32_t seed);
// A soft low knock: a sine falling in pitch plus a short dull noise click.
void AddThump(Signal& out, int rate, double at, double freq, double length, double gain, uint32_t seed);
// Plucked string (Karplus-Strong), for pizzicato.
void AddPluck(Signal& out, int rate, double at, double freq, double length, double gain, double damping,
              uint32_t seed);

// Mixing ------------------------------------------------------------------

void MixInto(Signal& dst, const Signal& src, double at_seconds, int rate, double gain = 1);
// Places a mono signal into both channels at a stereo position (-1 left .. 1 right).
void MixPanned(Audio& dst, const Signal& src, double at_seconds, double pan, double gain = 1);
// A small stereo room (Schroeder combs and all-passes), mixed in at `wet`.
void AddRoom(Audio& a, double size, double wet, double damping = 0.4);
// Short fades at both ends so the sound never starts or stops with a click.
void FadeEdges(Audio& a, double in_seconds = 0.002, double out_seconds = 0.01);
void RemoveDc(Audio& a);
// Cuts the tail where the sound has fallen below `dbfs` for good, so a sound
// does not hold its channel's queue with an inaudible reverb tail.
void TrimTail(Audio& a, double dbfs);
double Peak(const Audio& a);
// Scales the sound so its peak lies at `dbfs` (below 0).
void NormalizePeak(Audio& a, double dbfs);

// The RMS of the loudest stretch of `window_seconds` (channels averaged):
// how loud a short sound is heard, where the peak says little.
double LoudestWindowRms(const Audio& a, double window_seconds);
void Scale(Audio& a, double gain);

double NoteHz(int midi_note);

}  // namespace assetgen::synth
