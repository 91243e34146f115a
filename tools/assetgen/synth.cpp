// The synthesis kit: oscillators, envelopes, voices, noise shapes and the room.
#include "tools/assetgen/synth.h"

#include <algorithm>
#include <cmath>

namespace assetgen::synth {
namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kMinus60dB = 6.907755;  // ln(1000)

size_t SampleAt(double seconds, int rate) {
  return seconds <= 0 ? 0 : size_t(std::lround(seconds * rate));
}

void Grow(Signal& s, size_t n) {
  if (s.size() < n) s.resize(n, 0.0f);
}

// Sum of harmonics a[k] * sin(k x), k = 1..a.size(), by the Chebyshev recurrence.
double HarmonicSum(const std::vector<double>& a, double x) {
  double s1 = std::sin(x), c2 = 2 * std::cos(x);
  double prev = 0, cur = s1, sum = 0;
  for (double amp : a) {
    sum += amp * cur;
    double next = c2 * cur - prev;
    prev = cur;
    cur = next;
  }
  return sum;
}

void FillHarmonics(std::vector<double>& a, Wave wave, double brightness, double freq, int rate) {
  int count = std::clamp(int(0.45 * rate / std::max(freq, 1.0)), 1, 48);
  double tilt = 1 + 2 * (1 - std::clamp(brightness, 0.0, 1.0));
  a.assign(size_t(count), 0.0);
  for (int k = 1; k <= count; ++k) {
    switch (wave) {
      case Wave::Sine:
        a[k - 1] = k == 1 ? 1 : 0;
        break;
      case Wave::Triangle:
        a[k - 1] = k % 2 ? ((k / 2) % 2 ? -1.0 : 1.0) / (double(k) * k) : 0;
        break;
      case Wave::Saw:
        a[k - 1] = 0.6 / std::pow(k, tilt);
        break;
      case Wave::Square:
        a[k - 1] = k % 2 ? 0.7 / std::pow(k, tilt) : 0;
        break;
    }
  }
}

}  // namespace

Audio MakeMono(int rate, double seconds) {
  Audio a;
  a.rate = rate;
  a.left.assign(SampleAt(seconds, rate), 0.0f);
  return a;
}

Audio MakeStereo(int rate, double seconds) {
  Audio a = MakeMono(rate, seconds);
  a.right = a.left;
  return a;
}

uint32_t Rng::Next() {
  s_ ^= s_ << 13;
  s_ ^= s_ >> 17;
  s_ ^= s_ << 5;
  return s_;
}

double Rng::Uniform() {
  return (Next() >> 8) * (1.0 / 16777216.0);
}
double Rng::Bipolar() {
  return Uniform() * 2 - 1;
}

double Adsr::Level(double t, double gate) const {
  if (t < 0) return 0;
  auto held = [&](double u) {
    if (u < attack) return attack > 0 ? u / attack : 1.0;
    double d = decay > 0 ? std::exp(-kMinus60dB * (u - attack) / decay) : 0.0;
    return sustain + (1 - sustain) * d;
  };
  if (t < gate) return held(t);
  double at_gate = held(gate);
  if (release <= 0) return 0;
  double u = t - gate;
  if (u >= release) return 0;
  double level = at_gate * std::exp(-kMinus60dB * u / release);
  double taper = std::min(1.0, (release - u) / (0.1 * release));  // ends on exactly zero
  return level * taper;
}

double AddTone(Signal& out, int rate, double at, double gate, const Tone& tone) {
  double length = tone.env.Length(gate);
  size_t start = SampleAt(at, rate), n = SampleAt(length, rate);
  Grow(out, start + n);
  std::vector<double> harmonics;
  double phase = 0, last_freq = -1;
  for (size_t i = 0; i < n; ++i) {
    double t = double(i) / rate;
    double f = tone.freq;
    if (tone.freq_end > 0 && tone.glide > 0)
      f *= std::pow(tone.freq_end / tone.freq, std::min(t / tone.glide, 1.0));
    if (tone.vibrato_hz > 0)
      f *= std::pow(2.0, tone.vibrato_cents / 1200 * std::sin(kTwoPi * tone.vibrato_hz * t));
    if (std::fabs(f - last_freq) > 0.5) {
      FillHarmonics(harmonics, tone.wave, tone.brightness, f, rate);
      last_freq = f;
    }
    double v = HarmonicSum(harmonics, kTwoPi * phase);
    out[start + i] += float(v * tone.env.Level(t, gate) * tone.gain);
    phase += f / rate;
    phase -= std::floor(phase);
  }
  return at + length;
}

Bell GlassBell() {
  return {{{1, 1, 1.4}, {2, 0.3, 0.7}, {3, 0.15, 0.4}, {4.2, 0.1, 0.2}, {5.4, 0.05, 0.12}}, 0.002, 1};
}
Bell CoinBell() {
  return {
      {{1, 1, 0.6}, {2, 0.45, 0.35}, {3.01, 0.3, 0.22}, {4.13, 0.16, 0.12}, {6.27, 0.08, 0.06}}, 0.001, 1};
}
Bell MusicBoxTine() {
  return {{{1, 1, 1.6}, {2, 0.12, 0.5}, {3.9, 0.2, 0.25}, {9.2, 0.06, 0.05}}, 0.001, 1};
}
Bell SoftMallet() {
  return {{{1, 1, 0.45}, {3.93, 0.22, 0.1}, {9.8, 0.04, 0.03}}, 0.003, 1};
}

void AddBell(Signal& out, int rate, double at, double freq, double length, const Bell& bell) {
  size_t start = SampleAt(at, rate), n = SampleAt(length, rate);
  Grow(out, start + n);
  double fade = std::min(0.02, length / 4);
  for (const Partial& p : bell.partials) {
    double f = freq * p.ratio;
    if (f > 0.45 * rate) continue;
    double w = kTwoPi * f / rate;
    for (size_t i = 0; i < n; ++i) {
      double t = double(i) / rate;
      double env = p.amp * std::exp(-kMinus60dB * t / p.decay);
      if (t < bell.attack) env *= t / bell.attack;
      if (length - t < fade) env *= (length - t) / fade;
      out[start + i] += float(bell.gain * env * std::sin(w * double(i)));
    }
  }
}

void AddVoice(Signal& out, int rate, double at, const std::vector<VoicePoint>& path, double vibrato_hz,
              double vibrato_cents, double breath, uint32_t seed) {
  if (path.size() < 2) return;
  double length = path.back().t;
  size_t start = SampleAt(at, rate), n = SampleAt(length, rate);
  Grow(out, start + n);
  Rng rng(seed);
  Biquad hiss;
  std::vector<double> harmonics;
  double phase = 0;
  size_t seg = 0;
  for (size_t i = 0; i < n; ++i) {
    double t = double(i) / rate;
    while (seg + 2 < path.size() && t >= path[seg + 1].t) ++seg;
    const VoicePoint &p0 = path[seg], &p1 = path[seg + 1];
    double u = std::clamp((t - p0.t) / std::max(p1.t - p0.t, 1e-6), 0.0, 1.0);
    double f = p0.freq * std::pow(p1.freq / p0.freq, u);
    if (vibrato_hz > 0) f *= std::pow(2.0, vibrato_cents / 1200 * std::sin(kTwoPi * vibrato_hz * t));
    double amp = p0.amp + (p1.amp - p0.amp) * u;
    Vowel v{p0.vowel.f1 + (p1.vowel.f1 - p0.vowel.f1) * u, p0.vowel.f2 + (p1.vowel.f2 - p0.vowel.f2) * u,
            p0.vowel.f3 + (p1.vowel.f3 - p0.vowel.f3) * u};
    if (i % 32 == 0) {
      // Harmonic amplitudes through three resonances, at a steady overall level.
      int count = std::clamp(int(0.45 * rate / f), 1, 80);
      harmonics.assign(size_t(count), 0.0);
      double power = 0;
      for (int k = 1; k <= count; ++k) {
        double hz = k * f, g = 0.02;
        const double centre[3] = {v.f1, v.f2, v.f3}, width[3] = {90, 120, 170}, level[3] = {1, 0.55, 0.25};
        for (int r = 0; r < 3; ++r) g += level[r] / std::sqrt(1 + std::pow((hz - centre[r]) / width[r], 2));
        harmonics[k - 1] = g / k;
        power += harmonics[k - 1] * harmonics[k - 1];
      }
      double norm = 1 / std::sqrt(std::max(power, 1e-9));
      for (double& h : harmonics) h *= norm * 0.7;
      hiss.Bandpass(rate, v.f2, 1.5);
    }
    double s = HarmonicSum(harmonics, kTwoPi * phase);
    if (breath > 0) s += breath * 2.5 * hiss.Run(rng.Bipolar());
    out[start + i] += float(s * amp);
    phase += f / rate;
    phase -= std::floor(phase);
  }
}

void OnePole::SetLowpass(int rate, double hz) {
  a = 1 - std::exp(-kTwoPi * hz / rate);
}

void Biquad::Lowpass(int rate, double hz, double q) {
  double w = kTwoPi * std::min(hz, 0.49 * rate) / rate, c = std::cos(w), alpha = std::sin(w) / (2 * q);
  double a0 = 1 + alpha;
  b0 = (1 - c) / 2 / a0, b1 = (1 - c) / a0, b2 = b0, a1 = -2 * c / a0, a2 = (1 - alpha) / a0;
}

void Biquad::Highpass(int rate, double hz, double q) {
  double w = kTwoPi * std::min(hz, 0.49 * rate) / rate, c = std::cos(w), alpha = std::sin(w) / (2 * q);
  double a0 = 1 + alpha;
  b0 = (1 + c) / 2 / a0, b1 = -(1 + c) / a0, b2 = b0, a1 = -2 * c / a0, a2 = (1 - alpha) / a0;
}

void Biquad::Bandpass(int rate, double hz, double q) {
  double w = kTwoPi * std::min(hz, 0.49 * rate) / rate, c = std::cos(w), alpha = std::sin(w) / (2 * q);
  double a0 = 1 + alpha;
  b0 = alpha / a0, b1 = 0, b2 = -alpha / a0, a1 = -2 * c / a0, a2 = (1 - alpha) / a0;
}

double Biquad::Run(double x) {
  double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
  x2 = x1, x1 = x, y2 = y1, y1 = y;
  return y;
}

void LowpassInPlace(Signal& s, int rate, double hz) {
  Biquad f;
  f.Lowpass(rate, hz);
  for (float& x : s) x = float(f.Run(x));
}

void HighpassInPlace(Signal& s, int rate, double hz) {
  Biquad f;
  f.Highpass(rate, hz);
  for (float& x : s) x = float(f.Run(x));
}

void AddSwish(Signal& out, int rate, double at, double length, double hz_from, double hz_to, double q,
              double gain, uint32_t seed) {
  size_t start = SampleAt(at, rate), n = SampleAt(length, rate);
  Grow(out, start + n);
  Rng rng(seed);
  Biquad a, b;
  for (size_t i = 0; i < n; ++i) {
    double u = double(i) / n;
    if (i % 16 == 0) {
      double hz = hz_from * std::pow(hz_to / hz_from, u);
      a.Bandpass(rate, hz, q);
      b.Bandpass(rate, hz * 1.1, q);
    }
    // Swells in over the first third, dies away after.
    double env =
        u < 0.35 ? std::pow(std::sin(u / 0.35 * kTwoPi / 4), 2) : std::pow(1 - (u - 0.35) / 0.65, 1.6);
    out[start + i] += float(gain * 3 * env * b.Run(a.Run(rng.Bipolar())));
  }
}

void AddCrinkle(Signal& out, int rate, double at, double length, double density, double hz_lo, double hz_hi,
                double gain, uint32_t seed) {
  size_t start = SampleAt(at, rate);
  Grow(out, start + SampleAt(length + 0.02, rate));
  Rng rng(seed);
  int grains = std::max(1, int(density * length));
  for (int g = 0; g < grains; ++g) {
    double t = rng.Uniform() * length;
    double shape = std::sqrt(std::sin(3.14159265 * t / length));  // busiest in the middle
    double amp = gain * shape * (0.15 + 0.85 * std::pow(rng.Uniform(), 2.5));
    double hz = hz_lo * std::pow(hz_hi / hz_lo, rng.Uniform());
    double dur = rng.Range(0.0015, 0.009);
    Biquad f;
    f.Bandpass(rate, hz, rng.Range(1.5, 4));
    size_t s0 = start + SampleAt(t, rate), len = SampleAt(dur, rate);
    for (size_t i = 0; i < len && s0 + i < out.size(); ++i) {
      double u = double(i) / len;
      double env = std::min(1.0, u * 12) * std::exp(-5 * u);
      out[s0 + i] += float(amp * 2.5 * env * f.Run(rng.Bipolar()));
    }
  }
}

void AddThump(Signal& out, int rate, double at, double freq, double length, double gain, uint32_t seed) {
  size_t start = SampleAt(at, rate), n = SampleAt(length, rate);
  Grow(out, start + n);
  Rng rng(seed);
  Biquad dull;
  dull.Lowpass(rate, 1400, 0.7);
  double phase = 0;
  for (size_t i = 0; i < n; ++i) {
    double t = double(i) / rate;
    double f = freq * (1 + 1.2 * std::exp(-t / 0.012));
    double fade = std::min(1.0, (length - t) / (0.2 * length));  // ends on zero, no click
    double body =
        std::sin(kTwoPi * phase) * std::exp(-kMinus60dB * t / length) * std::min(1.0, t / 0.0015) * fade;
    double click = dull.Run(rng.Bipolar()) * std::exp(-t / 0.006);
    out[start + i] += float(gain * (0.85 * body + 0.6 * click));
    phase += f / rate;
  }
}

void AddPluck(Signal& out, int rate, double at, double freq, double length, double gain, double damping,
              uint32_t seed) {
  size_t start = SampleAt(at, rate), n = SampleAt(length, rate);
  Grow(out, start + n);
  Rng rng(seed);
  size_t period = std::max<size_t>(2, size_t(std::lround(rate / freq)));
  std::vector<double> line(period);
  OnePole soft;
  soft.SetLowpass(rate, std::min(3 * freq, 0.4 * rate));
  for (double& x : line) x = soft.Low(rng.Bipolar());
  double mean = 0;
  for (double x : line) mean += x;
  mean /= double(period);
  for (double& x : line) x -= mean;
  double fade = std::min(0.03, length / 4);
  for (size_t i = 0; i < n; ++i) {
    size_t k = i % period;
    double y = line[k];
    line[k] = damping * 0.5 * (y + line[(k + 1) % period]);
    double t = double(i) / rate;
    double env = length - t < fade ? (length - t) / fade : 1.0;
    out[start + i] += float(gain * y * env);
  }
}

void MixInto(Signal& dst, const Signal& src, double at_seconds, int rate, double gain) {
  size_t start = SampleAt(at_seconds, rate);
  Grow(dst, start + src.size());
  for (size_t i = 0; i < src.size(); ++i) dst[start + i] += float(gain * src[i]);
}

void MixPanned(Audio& dst, const Signal& src, double at_seconds, double pan, double gain) {
  if (!dst.Stereo()) {
    MixInto(dst.left, src, at_seconds, dst.rate, gain);
    return;
  }
  double angle = (std::clamp(pan, -1.0, 1.0) + 1) * kTwoPi / 8;
  MixInto(dst.left, src, at_seconds, dst.rate, gain * std::sqrt(2.0) * std::cos(angle));
  MixInto(dst.right, src, at_seconds, dst.rate, gain * std::sqrt(2.0) * std::sin(angle));
  if (dst.left.size() != dst.right.size()) {
    size_t n = std::max(dst.left.size(), dst.right.size());
    Grow(dst.left, n);
    Grow(dst.right, n);
  }
}

namespace {
struct Comb {
  std::vector<double> buf;
  size_t pos = 0;
  double store = 0;
  double Run(double x, double feedback, double damping) {
    double y = buf[pos];
    store = y * (1 - damping) + store * damping;
    buf[pos] = x + store * feedback;
    pos = (pos + 1) % buf.size();
    return y;
  }
};
struct AllPass {
  std::vector<double> buf;
  size_t pos = 0;
  double Run(double x) {
    double b = buf[pos];
    buf[pos] = x + b * 0.5;
    pos = (pos + 1) % buf.size();
    return b - x;
  }
};
}  // namespace

void AddRoom(Audio& a, double size, double wet, double damping) {
  double tail = 0.25 + 0.6 * size;
  size_t n = a.left.size() + SampleAt(tail, a.rate);
  Grow(a.left, n);
  if (a.Stereo()) Grow(a.right, n);
  const int comb_len[4] = {1116, 1188, 1277, 1356}, ap_len[2] = {556, 441};
  double scale = a.rate / 44100.0 * (0.5 + 0.5 * size);
  double feedback = 0.7 + 0.25 * size;
  int sides = a.Stereo() ? 2 : 1;
  Signal dry_mid(n);
  for (size_t i = 0; i < n; ++i) dry_mid[i] = a.Stereo() ? 0.5f * (a.left[i] + a.right[i]) : a.left[i];
  for (int side = 0; side < sides; ++side) {
    Signal& ch = side ? a.right : a.left;
    Comb combs[4];
    AllPass aps[2];
    for (int c = 0; c < 4; ++c) combs[c].buf.assign(size_t((comb_len[c] + 23 * side) * scale) + 1, 0.0);
    for (int c = 0; c < 2; ++c) aps[c].buf.assign(size_t((ap_len[c] + 23 * side) * scale) + 1, 0.0);
    for (size_t i = 0; i < n; ++i) {
      double x = dry_mid[i] * 0.25, y = 0;
      for (Comb& c : combs) y += c.Run(x, feedback, damping);
      for (AllPass& ap : aps) y = ap.Run(y);
      ch[i] += float(wet * y);
    }
  }
}

void FadeEdges(Audio& a, double in_seconds, double out_seconds) {
  for (Signal* ch : {&a.left, &a.right}) {
    size_t n = ch->size(), fi = std::min(n, SampleAt(in_seconds, a.rate)),
           fo = std::min(n, SampleAt(out_seconds, a.rate));
    for (size_t i = 0; i < fi; ++i) (*ch)[i] *= float(double(i) / fi);
    for (size_t i = 0; i < fo; ++i) (*ch)[n - 1 - i] *= float(double(i) / fo);
  }
}

void RemoveDc(Audio& a) {
  for (Signal* ch : {&a.left, &a.right}) {
    OnePole lp;
    lp.SetLowpass(a.rate, 12);
    for (float& x : *ch) x = float(lp.High(x));
  }
}

void TrimTail(Audio& a, double dbfs) {
  double floor = std::pow(10.0, dbfs / 20);
  size_t last = 0;
  for (const Signal* ch : {&a.left, &a.right})
    for (size_t i = ch->size(); i-- > last;)
      if (std::fabs((*ch)[i]) > floor) {
        last = i;
        break;
      }
  size_t keep = std::min(a.left.size(), last + SampleAt(0.01, a.rate));
  a.left.resize(keep);
  if (a.Stereo()) a.right.resize(keep);
}

double Peak(const Audio& a) {
  double p = 0;
  for (float x : a.left) p = std::max(p, double(std::fabs(x)));
  for (float x : a.right) p = std::max(p, double(std::fabs(x)));
  return p;
}

void NormalizePeak(Audio& a, double dbfs) {
  double p = Peak(a);
  if (p <= 0) return;
  double g = std::pow(10.0, dbfs / 20) / p;
  for (float& x : a.left) x = float(x * g);
  for (float& x : a.right) x = float(x * g);
}

double LoudestWindowRms(const Audio& a, double window_seconds) {
  size_t n = a.left.size(), w = std::max<size_t>(1, size_t(window_seconds * a.rate));
  if (n == 0) return 0;
  w = std::min(w, n);
  auto power = [&](size_t i) {
    double l = a.left[i], r = a.Stereo() ? a.right[i] : l, m = (l + r) / 2;
    return m * m;
  };
  double sum = 0, best = 0;
  for (size_t i = 0; i < n; ++i) {
    sum += power(i);
    if (i >= w) sum -= power(i - w);
    if (i + 1 >= w) best = std::max(best, sum / double(w));
  }
  return std::sqrt(std::max(best, 0.0));
}

void Scale(Audio& a, double gain) {
  for (float& x : a.left) x = float(x * gain);
  for (float& x : a.right) x = float(x * gain);
}

double NoteHz(int midi_note) {
  return 440.0 * std::pow(2.0, (midi_note - 69) / 12.0);
}

}  // namespace assetgen::synth
