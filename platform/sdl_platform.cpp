// The real window: the 390 x 260 scene shown at the largest integer scale that
// fits in half the desktop, nearest-neighbour, F11 for fullscreen
// (letterboxed, integer scale). SIGINT and SIGTERM arrive as a window close.
#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "platform/music.h"
#include "platform/platform.h"
#include "platform/sdl_audio.h"

namespace {

KeyCode TranslateKey(SDL_Keycode k) {
  switch (k) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return KeyCode::Enter;
    case SDLK_ESCAPE:
      return KeyCode::Escape;
    case SDLK_UP:
      return KeyCode::Up;
    case SDLK_DOWN:
      return KeyCode::Down;
    case SDLK_LEFT:
      return KeyCode::Left;
    case SDLK_RIGHT:
      return KeyCode::Right;
    case SDLK_HOME:
      return KeyCode::Home;
    case SDLK_END:
      return KeyCode::End;
    case SDLK_PAGEUP:
      return KeyCode::PageUp;
    case SDLK_PAGEDOWN:
      return KeyCode::PageDown;
    default:
      return KeyCode::Other;
  }
}

class SdlPlatform : public Platform {
 public:
  ~SdlPlatform() override {
    audio_.reset();
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
  }

  bool Open(const std::string& base_dir) {
    base_dir_ = base_dir;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
      std::fprintf(stderr, "picolatte: cannot open a window: %s\n", SDL_GetError());
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
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
      std::fprintf(stderr, "picolatte: cannot draw into the window: %s\n", SDL_GetError());
      return false;
    }
    SDL_RenderSetLogicalSize(renderer_, kSceneWidth, kSceneHeight);
    SDL_RenderSetIntegerScale(renderer_, SDL_TRUE);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_STREAMING,
                                 kSceneWidth, kSceneHeight);
    OpenAudio();
    return texture_ != nullptr;
  }

  uint64_t NowMs() override { return SDL_GetTicks64(); }

  bool WaitEvent(InputEvent& event, int timeout_ms) override {
    uint64_t until = SDL_GetTicks64() + std::max(timeout_ms, 0);
    SDL_Event e;
    for (;;) {
      int left = static_cast<int>(until > SDL_GetTicks64() ? until - SDL_GetTicks64() : 0);
      if (!SDL_WaitEventTimeout(&e, left)) return false;
      if (Translate(e, event)) return true;
    }
  }

  void Present(const Bitmap& scene) override {
    if (!texture_ || scene.Width() != kSceneWidth || scene.Height() != kSceneHeight) return;
    SDL_UpdateTexture(texture_, nullptr, scene.Pixels(), scene.Width() * 4);
    Redraw();
  }

  void SetCaption(const std::string& caption) override { SDL_SetWindowTitle(window_, caption.c_str()); }

  bool AskYesNo(const std::string& title, const std::string& text) override {
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "いいえ"},
        {0, 1, "はい"},
    };
    SDL_MessageBoxData box{SDL_MESSAGEBOX_WARNING, window_, title.c_str(), text.c_str(), 2, buttons, nullptr};
    int answer = -1;
    if (SDL_ShowMessageBox(&box, &answer) != 0) return false;
    return answer == 1;
  }

  void ShowError(const std::string& title, const std::string& text) override {
    std::fprintf(stderr, "picolatte: %s\n", text.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), window_);
  }

  std::string BaseDir() override { return base_dir_; }
  WaveOutDevice& WaveOut() override { return audio_->wave_out(); }
  MusicPlayer& Music() override { return audio_->music(); }

 private:
  void OpenAudio() {
    audio_ = OpenSdlAudio();
    if (!audio_) {
      std::fprintf(stderr, "picolatte: no sound device, the shop stays silent\n");
      audio_ = OpenSilentAudio();
    }
  }

  void Redraw() {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
  }

  bool InsideScene(int x, int y) const { return x >= 0 && y >= 0 && x < kSceneWidth && y < kSceneHeight; }

  // Turns an SDL event into one of the game's; false for those it ignores.
  bool Translate(const SDL_Event& e, InputEvent& out) {
    out = InputEvent{};
    switch (e.type) {
      case SDL_QUIT:
        out.kind = InputEvent::Quit;
        return true;
      case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SHOWN ||
            e.window.event == SDL_WINDOWEVENT_RESTORED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
          Redraw();
        return false;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        if (!InsideScene(e.button.x, e.button.y)) return false;
        out.kind = e.type == SDL_MOUSEBUTTONDOWN ? InputEvent::MouseDown : InputEvent::MouseUp;
        out.x = e.button.x;
        out.y = e.button.y;
        out.button = e.button.button;
        return true;
      case SDL_MOUSEMOTION:
        if (!InsideScene(e.motion.x, e.motion.y)) return false;
        out.kind = InputEvent::MouseMove;
        out.x = e.motion.x;
        out.y = e.motion.y;
        return true;
      case SDL_KEYDOWN:
        if (e.key.keysym.sym == SDLK_F11) {
          if (!e.key.repeat) ToggleFullscreen();
          return false;
        }
        out.kind = InputEvent::KeyDown;
        out.key = TranslateKey(e.key.keysym.sym);
        return true;
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

  void ToggleFullscreen() {
    bool full = SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    Redraw();
  }

  std::string base_dir_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  std::unique_ptr<SdlAudio> audio_;
};

}  // namespace

std::unique_ptr<Platform> CreateSdlPlatform(const std::string& base_dir) {
  auto platform = std::make_unique<SdlPlatform>();
  if (!platform->Open(base_dir)) return nullptr;
  return platform;
}
