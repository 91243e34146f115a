// The real window: the 390 x 260 scene shown at the largest integer scale that
// fits in half the desktop, nearest-neighbour, F11 for fullscreen
// (letterboxed, integer scale). The scale and the click mapping follow the
// window's real size. SIGINT and SIGTERM arrive as a window close.
#include "platform/desktop/sdl_platform.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop/sdl_audio.h"
#include "platform/desktop/sdl_presenter.h"
#include "platform/desktop/window_size.h"
#include "platform/music.h"
#include "platform/platform.h"
#include "platform/window_layout.h"

namespace {

// The game's key for an SDL key, from the names in the key list. The volume
// keys - and + have no SDL name there: they come as the characters typed
// (SDL_TEXTINPUT), which follow the keyboard layout.
KeyCode TranslateKey(SDL_Keycode k) {
  struct Named {
    SDL_Keycode sdl;
    KeyCode key;
  };
  static const std::vector<Named> named = [] {
    std::vector<Named> out;
    for (const KeySpelling& spelling : kKeys)
      AnySpelling(spelling.desktop, [&](std::string_view name) {
        out.push_back({SDL_GetKeyFromName(std::string(name).c_str()), spelling.key});
        return false;
      });
    return out;
  }();
  for (const Named& n : named)
    if (n.sdl == k && k != SDLK_UNKNOWN) return n.key;
  return KeyCode::Other;
}

class SdlPlatform : public Platform {
 public:
  ~SdlPlatform() override {
    audio_.reset();
    presenter_.reset();
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
  }

  bool Open(const std::string& base_dir) {
    base_dir_ = base_dir;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    // A click that also brings the window into focus still counts (SDL on
    // X11 drops one that comes within 10 ms of the focus, which a busy frame
    // makes likely).
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
      std::fprintf(stderr, "picolatte: cannot open a window: %s\n", SDL_GetError());
      return false;
    }
    // Without a display SDL quietly falls back to a driver that shows
    // nothing; only a caller who asks for one by name gets it.
    const char* driver = SDL_GetCurrentVideoDriver();
    bool asked = std::getenv("SDL_VIDEODRIVER") && *std::getenv("SDL_VIDEODRIVER");
    if (!asked && driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
      std::fprintf(stderr, "picolatte: no display to open the window on (is DISPLAY set?)\n");
      return false;
    }
    int scale = 1;
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0)
      scale = std::max(1, std::min(desktop.w / 2 / kSceneWidth, desktop.h / 2 / kSceneHeight));
    window_ = SDL_CreateWindow("ピコラッテ", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               kSceneWidth * scale, kSceneHeight * scale, SDL_WINDOW_SHOWN);
    if (!window_) {
      std::fprintf(stderr, "picolatte: cannot open a window: %s\n", SDL_GetError());
      return false;
    }
    presenter_ = ScenePresenter::Create(window_, kSceneWidth, kSceneHeight);
    if (!presenter_) {
      std::fprintf(stderr, "picolatte: cannot draw into the window: %s\n", SDL_GetError());
      return false;
    }
    UpdateLayout();
    SDL_StartTextInput();  // the volume keys read the characters typed
    OpenAudio();
    return true;
  }

  uint64_t NowMs() override { return SDL_GetTicks64(); }

  bool WaitEvent(InputEvent& event, int timeout_ms) override {
    uint64_t until = SDL_GetTicks64() + std::max(timeout_ms, 0);
    SDL_Event e;
    for (;;) {
      CheckFullscreen();
      int left = static_cast<int>(until > SDL_GetTicks64() ? until - SDL_GetTicks64() : 0);
      // While fullscreen is on trial, look at it again every few ms.
      if (fullscreen_trial_until_) left = std::min(left, kFullscreenLookMs);
      if (!SDL_WaitEventTimeout(&e, left)) {
        if (fullscreen_trial_until_ && SDL_GetTicks64() < until) continue;
        return false;
      }
      if (Translate(e, event)) return true;
    }
  }

  // Only a frame that differs from the one on screen is drawn.
  void Present(const Bitmap& scene) override {
    if (scene.Width() != kSceneWidth || scene.Height() != kSceneHeight) return;
    presenter_->Present(scene.Pixels(), scene.Width() * 4);
  }

  void SetCaption(const std::string& caption) override { SDL_SetWindowTitle(window_, caption.c_str()); }

  std::string BaseDir() override { return base_dir_; }
  WaveOutDevice& WaveOut() override { return audio_->wave_out(); }
  MusicPlayer& Music() override { return audio_->music(); }
  void SetVolume(int percent) override { audio_->SetVolume(percent); }
  void SetFullscreen(bool on) override {
    if (on != IsFullscreen()) ToggleFullscreen();
  }
  bool IsFullscreen() override { return SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP; }

 private:
  void OpenAudio() {
    audio_ = OpenSdlAudio();
    if (!audio_) {
      std::fprintf(stderr, "picolatte: no sound device, the shop stays silent\n");
      audio_ = OpenSilentAudio();
    }
  }

  void Redraw() { presenter_->Expose(); }

  void UpdateLayout() {
    int w, h;
    RealWindowSize(window_, w, h);
    layout_ = FitScene(w, h);
  }

  // A press and its release always reach the game: the release outside the
  // window too (the mouse is captured while a button is held), and a click
  // on the black bars lands on the nearest edge of the scene.
  void MouseButton(const SDL_MouseButtonEvent& b, InputEvent& out) {
    bool down = b.type == SDL_MOUSEBUTTONDOWN;
    if (down) {
      buttons_held_ |= SDL_BUTTON(b.button);
    } else {
      buttons_held_ &= ~SDL_BUTTON(b.button);
    }
    SDL_CaptureMouse(buttons_held_ ? SDL_TRUE : SDL_FALSE);
    out.kind = down ? InputEvent::MouseDown : InputEvent::MouseUp;
    WindowToScene(layout_, b.x, b.y, out.x, out.y);
    out.button = b.button;
  }

  // Turns an SDL event into one of the game's; false for those it ignores.
  bool Translate(const SDL_Event& e, InputEvent& out) {
    out = InputEvent{};
    switch (e.type) {
      case SDL_QUIT:
        out.kind = InputEvent::Quit;
        return true;
      case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) UpdateLayout();
        // Sound and music hold still while the window is minimized.
        if (e.window.event == SDL_WINDOWEVENT_MINIMIZED) audio_->SetPaused(true);
        if (e.window.event == SDL_WINDOWEVENT_RESTORED) audio_->SetPaused(false);
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SHOWN ||
            e.window.event == SDL_WINDOWEVENT_RESTORED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
          Redraw();
        return false;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        MouseButton(e.button, out);
        return true;
      case SDL_MOUSEMOTION:
        // Over the bars the mouse is nowhere in the scene, unless it drags.
        if (!buttons_held_ && !OnScene(layout_, e.motion.x, e.motion.y)) return false;
        out.kind = InputEvent::MouseMove;
        WindowToScene(layout_, e.motion.x, e.motion.y, out.x, out.y);
        return true;
      case SDL_KEYDOWN:
        if (e.key.keysym.sym == SDLK_F11) {
          if (!e.key.repeat) ToggleFullscreen();
          return false;
        }
        out.kind = InputEvent::KeyDown;
        out.key = TranslateKey(e.key.keysym.sym);
        out.repeat = e.key.repeat != 0;
        return true;
      case SDL_TEXTINPUT:
        out.kind = InputEvent::KeyDown;
        out.key = TypedKey(e.text.text);
        return out.key != KeyCode::Other;
      case SDL_KEYUP:
        if (e.key.keysym.sym == SDLK_F11) return false;
        out.kind = InputEvent::KeyUp;
        out.key = TranslateKey(e.key.keysym.sym);
        return true;
      default: {
        InputEvent::Kind kind;
        if (SdlAudioEventKind(e, kind)) {
          out.kind = kind;
          return true;
        }
        return false;
      }
    }
  }

  // F11 never holds up the game: the window is asked for fullscreen and
  // looked at again during the following waits. Where nobody carries the
  // request out (an X server without a window manager) the window goes back
  // and later presses do nothing; presses during the trial do nothing too.
  void ToggleFullscreen() {
    if (fullscreen_unavailable_ || fullscreen_trial_until_) return;
    bool full =
        (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
    if (!full) SDL_GetWindowSize(window_, &windowed_width_, &windowed_height_);
    SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (!full) fullscreen_trial_until_ = SDL_GetTicks64() + kFullscreenTrialMs;
    UpdateLayout();
    Redraw();
  }

  // Ends the trial once the window really has the size SDL believes, or
  // gives fullscreen up when the time is over.
  void CheckFullscreen() {
    if (!fullscreen_trial_until_) return;
    int real_w, real_h, sdl_w, sdl_h;
    RealWindowSize(window_, real_w, real_h);
    SDL_GetWindowSize(window_, &sdl_w, &sdl_h);
    const bool took_hold = real_w == sdl_w && real_h == sdl_h;
    if (!took_hold && SDL_GetTicks64() < fullscreen_trial_until_) return;
    fullscreen_trial_until_ = 0;
    if (!took_hold) {
      // SDL believes in a screen-sized window that is not there.
      std::fprintf(stderr, "picolatte: fullscreen is not available here; the game stays in its window\n");
      fullscreen_unavailable_ = true;
      SDL_SetWindowFullscreen(window_, 0);
      SDL_SetWindowSize(window_, windowed_width_, windowed_height_);
    }
    UpdateLayout();
    Redraw();
  }

  std::string base_dir_;
  SDL_Window* window_ = nullptr;
  std::unique_ptr<ScenePresenter> presenter_;
  std::unique_ptr<SdlAudio> audio_;
  SceneLayout layout_;
  uint32_t buttons_held_ = 0;  // SDL_BUTTON masks
  int windowed_width_ = kSceneWidth, windowed_height_ = kSceneHeight;
  static constexpr int kFullscreenTrialMs = 500, kFullscreenLookMs = 20;
  uint64_t fullscreen_trial_until_ = 0;  // SDL ticks; 0 when no request is on trial
  bool fullscreen_unavailable_ = false;  // a request failed: F11 does nothing more
};

}  // namespace

std::unique_ptr<Platform> CreateSdlPlatform(const std::string& base_dir) {
  auto platform = std::make_unique<SdlPlatform>();
  if (!platform->Open(base_dir)) return nullptr;
  return platform;
}
