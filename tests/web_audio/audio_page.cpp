// The browser's sound, driven for real in a page: the wave device on its own,
// then a TSoundMixer playing a generated WAV on it before and after the
// click that unlocks audio, then the rendered music. The page (run.mjs)
// taps the output and checks what is heard per phase; this side checks the
// device's reports. Findings go to Module.audioTest.
#include <emscripten.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/music.h"
#include "platform/web/web_audio.h"
#include "sound/mixer/mixer.h"
#include "sound/mixer/tests/wav_builder.h"
#include "sound/mixer/wave_out.h"

EM_JS(void, js_init, (), {
  Module['audioTest'] = {phase : 'start', marks : {}, failures : [], figures : {}, finished : false};
});
EM_JS(void, js_phase, (const char* name), {
  var t = Module['audioTest'];
  t.phase = UTF8ToString(name);
  t.marks[t.phase] = performance.now();
});
EM_JS(void, js_mark, (const char* name),
      { Module['audioTest'].marks[UTF8ToString(name)] = performance.now(); });
EM_JS(void, js_fail, (const char* what), { Module['audioTest'].failures.push(UTF8ToString(what)); });
EM_JS(void, js_figure, (const char* name, double value),
      { Module['audioTest'].figures[UTF8ToString(name)] = value; });
EM_JS(void, js_finish, (), { Module['audioTest'].finished = true; });
EM_JS(int, js_clicked, (), { return Module['clicked'] ? 1 : 0; });
// The test's tap is in place (index.html?tap waits for run.mjs to set it).
EM_JS(int, js_tap_ready, (), { return Module['tapReady'] ? 1 : 0; });
// Seconds of a decoded piece; 0 while it decodes.
EM_JS(double, js_piece_seconds, (const char* key), {
  var piece = Module['webAudio'].pieces.get(UTF8ToString(key));
  return piece && piece.buffer ? piece.buffer.duration : 0;
});
EM_JS(int, js_context_suspended, (), { return Module['webAudio'].ctx.state == 'suspended' ? 1 : 0; });
EM_JS(double, js_piece_decode_ms, (const char* key),
      { return Module['webAudio'].pieces.get(UTF8ToString(key)).decode_ms; });

namespace {

int g_failures = 0;
// Sound rendered before a pause or stop is still on its way through the
// graph (the processor's two buffers, the analyser's window) for this long.
constexpr int kDrainMs = 200;

void Check(bool ok, const std::string& what) {
  if (ok) return;
  ++g_failures;
  js_fail(what.c_str());
  std::printf("FAIL %s\n", what.c_str());
}

// Forwards to the real device and checks, at every look, that blocks finish
// in the order written and that the position stays between the bytes of the
// finished blocks and the end of the first unfinished one.
class CheckedDevice : public WaveOutDevice {
 public:
  explicit CheckedDevice(WaveOutDevice& real) : real_(real) {}

  int DeviceCount() override { return real_.DeviceCount(); }
  bool GetCaps(int id, WaveOutCaps& caps) override { return real_.GetCaps(id, caps); }
  bool SupportsFormat(int id, const TPcmFormat& f) override { return real_.SupportsFormat(id, f); }
  int Open(int id, const TPcmFormat& f) override {
    int rc = real_.Open(id, f);
    if (rc == 0) {
      Forget();
      align_ = f.block_align;
    }
    return rc;
  }
  void Close() override {
    real_.Close();
    Forget();
  }
  int Write(WaveHeader* h) override {
    int rc = real_.Write(h);
    if (rc == 0) {
      written_.push_back(h);
      ++blocks_written;
    }
    return rc;
  }
  uint32_t Position() override {
    uint32_t pos = real_.Position();
    Look(pos);
    return pos;
  }
  void Pause() override { real_.Pause(); }
  void Restart() override { real_.Restart(); }
  void Reset() override {
    real_.Reset();
    for (WaveHeader* h : written_) Check(h->done.load(), "a reset leaves every written block done");
    Forget();
    Check(real_.Position() == 0, "a reset puts the position back to 0");
  }
  uint32_t ClockMs() override { return real_.ClockMs(); }

  void Look(uint32_t pos) {
    size_t finished = 0;
    while (finished < written_.size() && written_[finished]->done.load()) ++finished;
    for (size_t i = finished; i < written_.size(); ++i) {
      if (written_[i]->done.load()) {
        Check(false, "block " + std::to_string(blocks_done + i) + " finished before an earlier one");
        break;
      }
    }
    // A block's ragged end (part of a frame) is never played.
    for (size_t i = 0; i < finished; ++i) done_bytes_ += written_[i]->length / align_ * align_;
    blocks_done += finished;
    written_.erase(written_.begin(), written_.begin() + static_cast<long>(finished));
    uint64_t front = written_.empty() ? 0 : written_.front()->length;
    Check(pos >= done_bytes_ && pos <= done_bytes_ + front,
          "position " + std::to_string(pos) + " outside the finished blocks' " + std::to_string(done_bytes_) +
              " bytes plus the playing one's " + std::to_string(front));
    Check(pos >= last_pos_,
          "the position went back from " + std::to_string(last_pos_) + " to " + std::to_string(pos));
    last_pos_ = pos;
  }

  uint64_t blocks_written = 0;
  uint64_t blocks_done = 0;

 private:
  void Forget() {
    written_.clear();
    done_bytes_ = 0;
    last_pos_ = 0;
  }

  WaveOutDevice& real_;
  uint32_t align_ = 1;  // bytes per frame
  std::vector<WaveHeader*> written_;
  uint64_t done_bytes_ = 0;  // bytes of the blocks finished since Open or Reset
  uint32_t last_pos_ = 0;
};

struct Counts {
  int audio_done = 0;
  int music_done = 0;
};

struct Notified : MixNotify {
  int count = 0;
  void WaveDone(int, TMixWave*) override { ++count; }
};

// The event pump of this page: sleeps a little, then takes what happened.
void Pump(WebAudio& audio, CheckedDevice& device, TSoundMixer* mixer, Counts& counts, int ms) {
  double until = emscripten_get_now() + ms;
  do {
    emscripten_sleep(5);
    InputEvent::Kind kind;
    while (audio.PollEvent(kind)) {
      if (kind == InputEvent::AudioDone) {
        ++counts.audio_done;
        if (mixer) mixer->Pump();
        device.Position();
      } else if (kind == InputEvent::MusicDone) {
        ++counts.music_done;
      }
    }
  } while (emscripten_get_now() < until);
}

// Pumps until `done` or `limit_ms` pass; false on the limit.
template <typename F>
bool PumpUntil(WebAudio& audio, CheckedDevice& device, TSoundMixer* mixer, Counts& counts, int limit_ms,
               F done) {
  double until = emscripten_get_now() + limit_ms;
  while (!done()) {
    if (emscripten_get_now() > until) return false;
    Pump(audio, device, mixer, counts, 0);
  }
  return true;
}

std::vector<uint8_t> Tone8(double seconds, uint32_t rate, double hz, int amplitude) {
  std::vector<uint8_t> out(static_cast<size_t>(seconds * rate));
  for (size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<uint8_t>(128 + std::lround(amplitude * std::sin(2 * M_PI * hz * i / rate)));
  }
  return out;
}

TPcmFormat Format(uint16_t channels, uint32_t rate, uint16_t bits) {
  TPcmFormat f;
  f.channels = channels;
  f.samples_per_sec = rate;
  f.bits_per_sample = bits;
  f.block_align = static_cast<uint16_t>(channels * bits / 8);
  f.bytes_per_sec = rate * f.block_align;
  return f;
}

// The device alone, while the context still waits for a gesture: formats,
// reset, and pause by the clock.
void DeviceAlone(WebAudio& audio, CheckedDevice& dev, Counts& counts) {
  js_phase("device");
  Check(!dev.SupportsFormat(-1, Format(1, 11025, 24)), "24-bit blocks are refused");
  Check(!dev.SupportsFormat(3, Format(1, 11025, 8)), "device 3 does not exist");
  Check(dev.SupportsFormat(-1, Format(2, 44100, 16)), "16-bit stereo blocks are taken");
  Check(dev.Open(-1, Format(1, 11025, 8)) == 0, "the device opens for 8-bit mono");
  Check(dev.Open(-1, Format(1, 11025, 8)) == 4, "a second open is refused");

  std::vector<uint8_t> second(11025, 128);
  double writing_at = emscripten_get_now();
  WaveHeader blocks[3];
  for (WaveHeader& h : blocks) {
    h.data = second.data();
    h.length = static_cast<uint32_t>(second.size());
    Check(dev.Write(&h) == 0, "a block is queued");
  }
  double written_at = emscripten_get_now();
  Pump(audio, dev, nullptr, counts, 100);
  // 11025 bytes a second from the first write on, give or take the 10 ms
  // steps of the page's clock.
  uint32_t moving = dev.Position();
  double now = emscripten_get_now();
  Check(moving >= (now - written_at - 30) * 11.025 && moving <= (now - writing_at + 30) * 11.025,
        "before the first gesture blocks play by the clock (" + std::to_string(moving) + " bytes in " +
            std::to_string(now - written_at) + " to " + std::to_string(now - writing_at) + " ms)");
  dev.Pause();
  uint32_t paused_at = dev.Position();
  Pump(audio, dev, nullptr, counts, 200);
  Check(dev.Position() == paused_at, "a paused device does not move");
  dev.Restart();
  Pump(audio, dev, nullptr, counts, 100);
  Check(dev.Position() > paused_at, "a restarted device moves on");

  int before = counts.audio_done;
  dev.Reset();
  for (WaveHeader& h : blocks) Check(h.done.load(), "reset marks a queued block done");
  Pump(audio, dev, nullptr, counts, 20);
  Check(counts.audio_done == before + 1, "a reset that drops blocks is reported once");
  Pump(audio, dev, nullptr, counts, 100);
  Check(dev.Position() == 0, "nothing plays after a reset");
  dev.Close();
  WaveHeader late;
  late.data = second.data();
  late.length = 10;
  Check(dev.Write(&late) == 5, "a closed device takes no block");
}

// 16-bit stereo blocks, a ragged one among them, through the running context.
void SixteenBit(WebAudio& audio, CheckedDevice& dev, Counts& counts) {
  Check(dev.Open(-1, Format(2, 44100, 16)) == 0, "the device opens for 16-bit stereo");
  std::vector<std::vector<uint8_t>> data(4);
  WaveHeader blocks[4];
  for (int b = 0; b < 4; ++b) {
    for (int i = 0; i < 4410; ++i) {
      int16_t v = static_cast<int16_t>(8000 * std::sin(2 * M_PI * 660 * (b * 4410 + i) / 44100.0));
      for (int side = 0; side < 2; ++side) {
        data[b].push_back(static_cast<uint8_t>(v & 0xFF));
        data[b].push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
      }
    }
    if (b == 2) data[b].resize(data[b].size() - 3);  // ends in the middle of a frame
    blocks[b].data = data[b].data();
    blocks[b].length = static_cast<uint32_t>(data[b].size());
  }
  js_phase("tone16");
  uint64_t done_before = dev.blocks_done;
  for (WaveHeader& h : blocks) Check(dev.Write(&h) == 0, "a 16-bit block is queued");
  Pump(audio, dev, nullptr, counts, 50);
  dev.Pause();
  uint32_t paused_at = dev.Position();
  // What the page had already rendered still drains through the graph.
  Pump(audio, dev, nullptr, counts, kDrainMs);
  js_phase("paused16");
  Pump(audio, dev, nullptr, counts, 200);
  Check(dev.Position() == paused_at, "a paused device neither plays nor moves");
  js_phase("tone16");
  dev.Restart();
  bool all = PumpUntil(audio, dev, nullptr, counts, 3000, [&] { return blocks[3].done.load(); });
  Check(all, "four 16-bit blocks of 0.1 s finish");
  dev.Position();
  Check(dev.blocks_done - done_before == 4, "every 16-bit block is reported done");
  Check(dev.Position() == 4 * 4410 * 4 - 4,
        "the position counts whole frames, the ragged end left out (" + std::to_string(dev.Position()) + ")");
  dev.Close();
}

// The mixer on the device: a WAV before the unlock (heard by nobody, but
// finished by the clock), then after it (`phase` names the tap's phase).
void MixerTone(WebAudio& audio, CheckedDevice& dev, Counts& counts, bool unlocked,
               const char* phase = nullptr) {
  std::vector<uint8_t> wav = MakeWav(WavFormat{}, Tone8(1.0, 11025, 440, 60));
  std::ofstream("/tone.wav", std::ios::binary).write(reinterpret_cast<const char*>(wav.data()), wav.size());
  TSoundMixer mixer(dev, "/none/SOUNDMIX.INI");
  mixer.SetActivated(true);
  mixer.SetChannels(31);
  Check(mixer.Activated(), "the mixer activates on the web device");
  TMixWave* tone = mixer.LoadWaveFile("/tone.wav");
  Notified notify;
  uint64_t blocks_before = dev.blocks_done;
  int events_before = counts.audio_done;
  if (!phase) phase = unlocked ? "tone" : "tone-locked";
  js_phase(phase);
  js_mark((std::string("play-") + phase).c_str());
  mixer.PlayWave(0, tone, 0, 0, &notify);
  uint32_t first = dev.Position();
  bool done = PumpUntil(audio, dev, &mixer, counts, 5000, [&] { return notify.count == 1; });
  Check(done, std::string("the tone's end is reported ") + (unlocked ? "after" : "before") + " the unlock");
  Check(dev.Position() > first, "the position grows while the tone plays");
  Check(dev.blocks_done - blocks_before >= 4,
        "the mixer's blocks finish (" + std::to_string(dev.blocks_done - blocks_before) + ")");
  Check(counts.audio_done - events_before >= 2, "blocks finishing reach the pump as AudioDone");
  js_figure((std::string(phase) + "_blocks").c_str(), static_cast<double>(dev.blocks_done - blocks_before));
  js_phase("gap");
  mixer.FreeWaveData(tone);
  mixer.SetActivated(false);
  Pump(audio, dev, nullptr, counts, 300);
}

void Music(WebAudio& audio, CheckedDevice& dev, Counts& counts) {
  MusicPlayer& music = audio.music();
  Check(!music.Open("/dat/none.mid"), "a missing piece does not open");
  Check(!music.IsOpen() && !music.Play(), "nothing plays when nothing is open");

  Check(music.Open("/dat/col.mid"), "col.mid opens as its rendered col.ogg");
  Check(music.IsOpen(), "the piece is open");
  js_phase("music-decoding");
  Check(music.Play(), "the piece plays");
  bool decoded =
      PumpUntil(audio, dev, nullptr, counts, 30000, [] { return js_piece_seconds("/dat/col.ogg") > 0; });
  Check(decoded, "col.ogg decodes");
  if (decoded) js_figure("col_decode_ms", js_piece_decode_ms("/dat/col.ogg"));
  js_phase("music");
  Pump(audio, dev, nullptr, counts, 1500);
  music.Stop();
  Pump(audio, dev, nullptr, counts, kDrainMs);
  js_phase("music-stopped");
  Pump(audio, dev, nullptr, counts, 500);
  Check(counts.music_done == 0, "a stopped piece reports no end");

  Check(music.Open("/dat/beep.mid"), "a short piece opens");
  js_phase("beep");
  music.Play();
  PumpUntil(audio, dev, nullptr, counts, 30000, [] { return js_piece_seconds("/dat/beep.ogg") > 0; });
  Pump(audio, dev, nullptr, counts, 300);
  double seconds = js_piece_seconds("/dat/beep.ogg");
  Check(seconds > 1.0 && seconds < 10.0, "the short piece is decoded (" + std::to_string(seconds) + " s)");
  music.Play();  // from the start again: the first play's end is stale
  double started = emscripten_get_now();
  bool ended = PumpUntil(audio, dev, nullptr, counts, 6000, [&] { return counts.music_done > 0; });
  double elapsed = (emscripten_get_now() - started) / 1000;
  Check(ended, "the end of the piece is reported");
  Check(elapsed > seconds - 0.1, "the end reported is the second play's (" + std::to_string(elapsed) + " s)");
  js_figure("music_end_after_s", elapsed);
  js_figure("music_piece_s", seconds);
  Pump(audio, dev, nullptr, counts, 1000);
  Check(counts.music_done == 1, "one play reports one end");

  // Ends the page has seen but the game has not yet taken: a stop, an open
  // or a new play in between makes them stale.
  js_phase("stale");
  const int past_end = static_cast<int>(seconds * 1000) + 500;
  Check(music.Play(), "the short piece plays again");
  emscripten_sleep(past_end);
  music.Stop();
  Pump(audio, dev, nullptr, counts, 200);
  Check(counts.music_done == 1, "an end taken after a stop is dropped");
  music.Play();
  emscripten_sleep(past_end);
  Check(music.Open("/dat/beep.mid"), "the piece opens again");
  Pump(audio, dev, nullptr, counts, 200);
  Check(counts.music_done == 1, "an end taken after an open is dropped");
  music.Play();
  emscripten_sleep(past_end);
  music.Play();
  Pump(audio, dev, nullptr, counts, 200);
  Check(counts.music_done == 1, "an end taken after a new play is dropped");
  ended = PumpUntil(audio, dev, nullptr, counts, 6000, [&] { return counts.music_done > 1; });
  Check(ended && counts.music_done == 2, "the new play's own end is reported");

  std::ofstream("/dat/bad.ogg", std::ios::binary) << "OggS but nothing a decoder can read";
  Check(music.Open("/dat/bad.mid"), "a file that looks like Ogg opens");
  Check(music.Play(), "its play is accepted");
  Pump(audio, dev, nullptr, counts, 1000);
  Check(counts.music_done == 2, "a piece that cannot be decoded reports no end");
  music.Stop();
}

}  // namespace

int main() {
  js_init();
  auto audio = OpenWebAudio();
  Check(audio != nullptr, "Web Audio opens");
  if (!audio) {
    js_finish();
    return 0;
  }
  Check(OpenWebAudio() == nullptr, "a second context is refused");
  CheckedDevice dev(audio->wave_out());
  Counts counts;
  while (!js_tap_ready()) emscripten_sleep(10);
  Check(!audio->Unlocked(), "the context waits for a gesture");

  DeviceAlone(*audio, dev, counts);
  MixerTone(*audio, dev, counts, false);

  js_phase("wait-click");
  while (!js_clicked()) emscripten_sleep(10);
  audio->Unlock();
  Check(PumpUntil(*audio, dev, nullptr, counts, 5000, [&] { return audio->Unlocked(); }),
        "the context runs after the click");
  Pump(*audio, dev, nullptr, counts, 300);

  MixerTone(*audio, dev, counts, true);
  // The master volume: half the percentage is a quarter of the level (the
  // desktop's curve), 0 is silence, and 100 brings the level back.
  audio->SetVolume(50);
  MixerTone(*audio, dev, counts, true, "tone-volume50");
  audio->SetVolume(0);
  MixerTone(*audio, dev, counts, true, "tone-volume0");
  audio->SetVolume(100);
  SixteenBit(*audio, dev, counts);
  js_phase("gap2");
  Pump(*audio, dev, nullptr, counts, 300);
  // After a while of silence the context is parked, and the next sound
  // wakes it: heard all the same.
  js_phase("silence");
  Pump(*audio, dev, nullptr, counts, 1500);
  Check(js_context_suspended(), "the context is parked after a while of silence");
  Check(audio->Unlocked(), "a parked context still counts as started");
  MixerTone(*audio, dev, counts, true, "tone-parked");
  Music(*audio, dev, counts);

  js_phase("end");
  js_figure("failures", g_failures);
  js_finish();
  return 0;
}
