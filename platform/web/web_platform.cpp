// The browser platform. The page's script (web/page.js) queues input as it
// arrives; WaitEvent takes from that queue and, while it is empty, sleeps
// through emscripten_sleep-style waits that the next input cuts short.
#include "platform/web/web_platform.h"

#include <emscripten.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "platform/frame_diff.h"
#include "platform/headless/headless_platform.h"
#include "platform/music.h"
#include "platform/null_wave_out.h"
#include "platform/text_rects.h"
#include "platform/web/web_audio.h"
#include "sound/mixer/wave_out.h"

// --- the page's side ----------------------------------------------------------
// clang-format off

// The page queues input by name (web/page.js); these teach it the game's
// numbers for the kinds of input and for the keys of the key list.
EM_JS(void, PageLearnKind, (const char* name, int kind), {
  (Module.picoKinds = Module.picoKinds || {})[UTF8ToString(name)] = kind;
});
EM_JS(void, PageLearnKey, (const char* name, int key, int repeats), {
  (Module.picoKeys = Module.picoKeys || {})[UTF8ToString(name)] = { key: key, repeats: repeats !== 0 };
});

// Takes the oldest queued input of a kind the game knows: fills kind, x, y,
// button, key (0, Other, for a key not on the list); 0 when none.
EM_JS(int, PagePopInput, (int* out), {
  const q = Module.picoInput;
  while (q && q.length) {
    const e = q.shift();
    const kind = (Module.picoKinds || {})[e.kind];
    if (kind === undefined) continue;
    const key = (Module.picoKeys || {})[e.key];
    HEAP32[(out >> 2) + 0] = kind;
    HEAP32[(out >> 2) + 1] = e.x;
    HEAP32[(out >> 2) + 2] = e.y;
    HEAP32[(out >> 2) + 3] = e.button;
    HEAP32[(out >> 2) + 4] = key ? key.key : 0;
    return 1;
  }
  return 0;
});

// The last key the game took and how many so far (the page's tests read them).
EM_JS(void, PageTookKey, (int key), {
  Module.picoLastKey = key;
  Module.picoKeysTaken = (Module.picoKeysTaken || 0) + 1;
});

// Sleeps up to `ms`, woken early by new input.
EM_ASYNC_JS(void, PageSleep, (int ms), {
  if (Module.picoInput && Module.picoInput.length) return;
  await new Promise((resolve) => {
    const done = () => {
      clearTimeout(timer);
      Module.picoWake = null;
      resolve();
    };
    const timer = setTimeout(done, ms);
    Module.picoWake = done;
  });
});

// Waits until the page has stored the files that may come after the start
// (the font), or found that they will not come.
EM_ASYNC_JS(void, PageAwaitLateFiles, (), {
  if (Module.picoLateFiles) await Module.picoLateFiles.catch(() => {});
});

// Puts the parts of the RGBA scene that changed (count rectangles x, y, w,
// h) on the canvas; the whole scene when the canvas lost its pixels.
EM_JS(void, PagePresent, (const uint8_t* rgba, int w, int h, const int* rects, int count), {
  const canvas = Module.canvas;
  if (!canvas) return;
  if (!Module.picoContext) {
    Module.picoContext = canvas.getContext('2d', {alpha: false});
    canvas.addEventListener('contextrestored', () => { Module.picoWholeFrame = true; });
  }
  const image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, w * h * 4), w, h);
  if (Module.picoWholeFrame) {
    Module.picoWholeFrame = false;
    Module.picoContext.putImageData(image, 0, 0);
  } else {
    for (let i = 0; i < count; i++) {
      const r = HEAP32.subarray((rects >> 2) + 4 * i, (rects >> 2) + 4 * i + 4);
      Module.picoContext.putImageData(image, 0, 0, r[0], r[1], r[2], r[3]);
    }
  }
  if (Module.onFramePresented) Module.onFramePresented();
});

EM_JS(void, PageMark, (const char* name), {
  if (Module.picoMarks) Module.picoMarks[UTF8ToString(name)] = performance.now();
});

// The text rectangles of the frame just shown: count quadruples.
EM_JS(void, PageTextRects, (const int* rects, int count), {
  const list = [];
  for (let i = 0; i < count; i++) list.push(Array.from(HEAP32.subarray((rects >> 2) + 4 * i, (rects >> 2) + 4 * i + 4)));
  Module.picoTextRects = list;
});

EM_JS(void, PageReplayStopped, (), { Module.picoReplayDone = true; });

// The frame readout goes on the page's caption line above the canvas; the
// tab keeps the game's name.
EM_JS(void, PageSetCaption, (const char* text), {
  const line = document.getElementById('caption');
  if (line) line.textContent = UTF8ToString(text);
});

// Writes the persistent folder to IndexedDB (an IDBFS mount set up by the page).
EM_JS(void, PageSyncStorage, (), {
  if (Module.picoSyncStorage) Module.picoSyncStorage();
});

// Tells the page the game's language ("ja" or "en"): its buttons and notices follow it.
EM_JS(void, PageSetLanguage, (const char* code), {
  if (Module.picoSetLanguage) Module.picoSetLanguage(UTF8ToString(code));
});

// Tells the page how an import went.
EM_JS(void, PageImportDone, (int accepted), {
  if (Module.onImportDone) Module.onImportDone(accepted !== 0);
});
// clang-format on

namespace {

// Kinds of queued input beyond the game's own events.
constexpr int kImportRequest = 101;

// Teaches the page the names it queues input by.
void TeachPage() {
  static const std::pair<const char*, int> kinds[] = {
      {"MouseDown", InputEvent::MouseDown}, {"MouseUp", InputEvent::MouseUp}, {"MouseMove", InputEvent::MouseMove},
      {"KeyDown", InputEvent::KeyDown},     {"KeyUp", InputEvent::KeyUp},     {"Import", kImportRequest}};
  for (const auto& [name, kind] : kinds) PageLearnKind(name, kind);
  for (const KeySpelling& k : kKeys)
    AnySpelling(k.page, [&](std::string_view name) {
      PageLearnKey(std::string(name).c_str(), static_cast<int>(k.key), k.repeats);
      return false;
    });
}
constexpr int kAudioPollMs = 8;
constexpr const char* kImportPath = "/tmp/import.dat";

PageRequests& Requests() {
  static PageRequests requests;
  return requests;
}

class WebPlatform : public Platform {
 public:
  // A replay page: the virtual clock and the script of a headless platform.
  WebPlatform(std::string base_dir, const std::vector<ReplayClick>& clicks, uint64_t stop_at_ms)
      : base_dir_(std::move(base_dir)), replay_(std::make_unique<HeadlessPlatform>(base_dir_)) {
    TeachPage();
    ScriptReplay(*replay_, clicks, stop_at_ms);
    RecordTextRects(true);
  }

  explicit WebPlatform(std::string base_dir) : base_dir_(std::move(base_dir)) {
    TeachPage();
    // Without Web Audio the mixer's blocks play into a silent output that
    // keeps the same time, and music stays silent.
    audio_ = OpenWebAudio();
    if (!audio_) {
      silent_wave_out_ = std::make_unique<NullWaveOut>([this] { return static_cast<uint32_t>(NowMs()); });
      silent_music_ = std::make_unique<SilentMusicPlayer>();
    }
  }

  uint64_t NowMs() override {
    return replay_ ? replay_->clock_ms : static_cast<uint64_t>(emscripten_get_now());
  }

  bool WaitEvent(InputEvent& event, int timeout_ms) override {
    // The first picture may show before the font is in; nothing after it
    // (text may be drawn at every frame from then on).
    if (!late_files_in_) {
      PageAwaitLateFiles();
      late_files_in_ = true;
    }
    TellLanguage();
    if (replay_) return ReplayWait(event, timeout_ms);
    uint64_t until = NowMs() + std::max(timeout_ms, 0);
    for (;;) {
      if (TakeInput(event)) {
        // Browsers start sound only after the player's first gesture.
        if (audio_ && (event.kind == InputEvent::MouseDown || event.kind == InputEvent::KeyDown))
          audio_->Unlock();
        return true;
      }
      InputEvent::Kind kind;
      if (audio_ ? audio_->PollEvent(kind) : silent_wave_out_->TakeFinished()) {
        event = InputEvent{};
        event.kind = audio_ ? kind : InputEvent::AudioDone;
        return true;
      }
      uint64_t now = NowMs();
      if (now >= until) return false;
      if (Requests().keep_progress) Requests().keep_progress(true);
      SyncSavedFiles(false);
      int left = static_cast<int>(until - now);
      if (audio_) {
        // The page's audio callback only counts what it played: while blocks
        // are queued, look often enough that the mixer never runs dry.
        if (audio_->Busy()) left = std::min(left, kAudioPollMs);
      } else {
        int due = silent_wave_out_->MsUntilNextDone();
        if (due >= 0) left = std::min(left, std::max(due, 1));
      }
      PageSleep(left);
    }
  }

  void Present(const Bitmap& scene) override {
    if (scene.Width() != kSceneWidth || scene.Height() != kSceneHeight) return;
    // Only what changed goes to the canvas; an unchanged frame not at all.
    const std::vector<SceneRect>& changed =
        shown_.Update(scene.Pixels(), scene.Width() * 4, scene.Width(), scene.Height());
    if (!changed.empty()) {
      // The canvas takes RGBA bytes: the changed parts are turned into them here.
      const int w = scene.Width();
      rgba_.resize(static_cast<size_t>(w) * scene.Height() * 4);
      for (const SceneRect& r : changed) {
        for (int y = r.y; y < r.y + r.h; ++y) {
          const uint32_t* in = scene.Pixels() + static_cast<size_t>(y) * w + r.x;
          uint8_t* out = rgba_.data() + (static_cast<size_t>(y) * w + r.x) * 4;
          for (int x = 0; x < r.w; ++x, out += 4) {
            out[0] = static_cast<uint8_t>(in[x] >> 16);
            out[1] = static_cast<uint8_t>(in[x] >> 8);
            out[2] = static_cast<uint8_t>(in[x]);
            out[3] = 255;
          }
        }
      }
      static_assert(sizeof(SceneRect) == 4 * sizeof(int));
      PagePresent(rgba_.data(), w, scene.Height(), reinterpret_cast<const int*>(changed.data()),
                  static_cast<int>(changed.size()));
    }
    if (replay_) {
      std::vector<TextRect> rects = TextRectsOn(scene);
      static_assert(sizeof(TextRect) == 4 * sizeof(int));
      PageTextRects(reinterpret_cast<const int*>(rects.data()), static_cast<int>(rects.size()));
    }
  }

  void SetCaption(const std::string& caption) override { PageSetCaption(caption.c_str()); }

  std::string BaseDir() override { return base_dir_; }
  WaveOutDevice& WaveOut() override {
    if (replay_) return replay_->WaveOut();
    return audio_ ? audio_->wave_out() : *silent_wave_out_;
  }
  MusicPlayer& Music() override {
    if (replay_) return replay_->Music();
    return audio_ ? audio_->music() : *silent_music_;
  }
  void SetVolume(int percent) override {
    if (replay_) replay_->SetVolume(percent);
    if (audio_) audio_->SetVolume(percent);
  }
  // The page has its own full-screen button: the game's remembered
  // window mode does not apply to a tab.
  void SetFullscreen(bool) override {}
  bool IsFullscreen() override { return false; }

 private:
  // Waits as the headless platform does, giving the page a turn between
  // frames; the page's own input is dropped. At the stop the game is held.
  bool ReplayWait(InputEvent& event, int timeout_ms) {
    int ignored[5];
    while (PagePopInput(ignored)) {
    }
    if (replay_->stopped) {
      PageReplayStopped();
      PageSleep(1000);
      return false;
    }
    if (replay_->WaitEvent(event, timeout_ms)) return true;
    if (timeout_ms > 0) PageSleep(0);
    return false;
  }

  // Each wait looks whether the game changed its language since the last.
  void TellLanguage() {
    if (!Requests().language) return;
    std::string code = Requests().language();
    if (code == told_language_) return;
    told_language_ = code;
    PageSetLanguage(code.c_str());
  }

  bool TakeInput(InputEvent& event) {
    int raw[5];
    for (;;) {
      if (!PagePopInput(raw)) return false;
      if (raw[0] == kImportRequest) {
        bool accepted = Requests().import_progress && Requests().import_progress(kImportPath);
        std::remove(kImportPath);
        if (accepted) SyncSavedFiles(true);
        PageImportDone(accepted ? 1 : 0);
      } else if (raw[0] >= InputEvent::MouseDown && raw[0] <= InputEvent::KeyUp) {
        break;
      }
    }
    event = InputEvent{};
    event.kind = static_cast<InputEvent::Kind>(raw[0]);
    event.x = std::clamp(raw[1], 0, kSceneWidth - 1);
    event.y = std::clamp(raw[2], 0, kSceneHeight - 1);
    event.button = raw[3];
    event.key = raw[4] > 0 && raw[4] <= static_cast<int>(std::size(kKeys)) ? static_cast<KeyCode>(raw[4]) : KeyCode::Other;
    if (event.kind == InputEvent::KeyDown) PageTookKey(raw[4]);
    return true;
  }

  std::string base_dir_;
  std::unique_ptr<HeadlessPlatform> replay_;
  FrameDiff shown_;            // the frame on the canvas
  std::vector<uint8_t> rgba_;  // the same as the canvas takes it
  bool late_files_in_ = false;
  std::string told_language_;  // what the page was last told
  std::unique_ptr<WebAudio> audio_;
  std::unique_ptr<NullWaveOut> silent_wave_out_;
  std::unique_ptr<MusicPlayer> silent_music_;
};

// What the watched files looked like at the last sync.
struct Watched {
  std::vector<std::string> paths;
  std::vector<std::pair<int64_t, int64_t>> seen;  // (mtime ns, size), -1 when missing
};

Watched& Watch() {
  static Watched watched;
  return watched;
}

std::pair<int64_t, int64_t> Stamp(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return {-1, -1};
  return {static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec, st.st_size};
}

}  // namespace

// The page's hide and close handlers call this directly: after them the
// browser may end the page before the game's next wait. 1 when the game runs
// and its progress is now in the player's files.
extern "C" EMSCRIPTEN_KEEPALIVE int picolatte_keep_progress() {
  if (!Requests().keep_progress) return 0;
  Requests().keep_progress(false);
  SyncSavedFiles(false);
  return 1;
}

void MarkPageMoment(const char* name) {
  PageMark(name);
}

void SetPageRequests(PageRequests requests) {
  Requests() = std::move(requests);
}

void WatchSavedFiles(std::vector<std::string> paths) {
  Watched& w = Watch();
  w.paths = std::move(paths);
  w.seen.clear();
  for (const std::string& p : w.paths) w.seen.push_back(Stamp(p));
}

void SyncSavedFiles(bool force) {
  Watched& w = Watch();
  bool changed = force;
  for (size_t i = 0; i < w.paths.size(); ++i) {
    auto now = Stamp(w.paths[i]);
    if (now != w.seen[i]) {
      w.seen[i] = now;
      changed = true;
    }
  }
  if (changed) PageSyncStorage();
}

std::unique_ptr<Platform> CreateWebPlatform(const std::string& base_dir) {
  return std::make_unique<WebPlatform>(base_dir);
}

std::unique_ptr<Platform> CreateWebReplayPlatform(const std::string& base_dir,
                                                  const std::vector<ReplayClick>& clicks,
                                                  uint64_t stop_at_ms) {
  return std::make_unique<WebPlatform>(base_dir, clicks, stop_at_ms);
}
