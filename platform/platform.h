// What the game needs of the machine: a clock, input events, a window that
// shows the 390 x 260 scene, the wave output device and the music player.
// Questions and errors are drawn by the game itself (app/dialog.h). Two kinds: the SDL window, and a headless
// one for tests.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/bitmap.h"

class WaveOutDevice;  // sound/mixer/wave_out.h
class MusicPlayer;    // platform/music.h

inline constexpr int kSceneWidth = 390;
inline constexpr int kSceneHeight = 260;

enum class KeyCode {
  Other,
  Enter,
  Escape,
  Up,
  Down,
  Left,
  Right,
  Home,
  End,
  PageUp,
  PageDown,
  Y,
  M,
  Minus,
  Plus
};

struct InputEvent {
  enum Kind {
    MouseDown,
    MouseUp,
    MouseMove,
    KeyDown,
    KeyUp,
    Quit,       // window closed, SIGINT or SIGTERM
    AudioDone,  // the wave device finished a block: time to pump the mixer
    MusicDone,  // the music player reached the end of its piece
  };
  Kind kind = MouseMove;
  int x = 0, y = 0;  // scene pixels
  int button = 1;    // 1 left, 2 middle, 3 right
  KeyCode key = KeyCode::Other;
  bool repeat = false;  // a key down repeated while the key is held
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Milliseconds since some fixed start.
  virtual uint64_t NowMs() = 0;
  // Takes the next event; waits at most timeout_ms for one (0 = just poll).
  virtual bool WaitEvent(InputEvent& event, int timeout_ms) = 0;
  // Shows the scene (the window scales it); headless keeps a copy.
  virtual void Present(const Bitmap& scene) = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // Folder of the executable with a trailing '/': cg/ and dat/ live there.
  virtual std::string BaseDir() = 0;

  // The wave output for the mixer and the music player. Never null: a
  // machine without sound gets silent stand-ins.
  virtual WaveOutDevice& WaveOut() = 0;
  virtual MusicPlayer& Music() = 0;

  // Master volume of all sound and music, 0 (silent) to 100 percent: the
  // output scales its final samples. A platform without sound ignores it.
  virtual void SetVolume(int percent) { (void)percent; }
  // The window's mode, remembered between starts by the settings file.
  virtual void SetFullscreen(bool on) { (void)on; }
  virtual bool IsFullscreen() { return false; }
};

// The real window. Prints one warning on stderr and falls back to silence
// when there is no audio device.
std::unique_ptr<Platform> CreateSdlPlatform(const std::string& base_dir);

// Headless platform for tests: no window, a virtual clock that only moves when
// the game waits, scripted input, and the last presented frame kept.
class HeadlessPlatform : public Platform {
 public:
  explicit HeadlessPlatform(std::string base_dir);
  ~HeadlessPlatform() override;

  uint64_t NowMs() override { return clock_ms; }
  bool WaitEvent(InputEvent& event, int timeout_ms) override;
  void Present(const Bitmap& scene) override;
  void SetCaption(const std::string& caption) override { this->caption = caption; }
  std::string BaseDir() override { return base_dir; }
  WaveOutDevice& WaveOut() override;
  MusicPlayer& Music() override;
  void SetVolume(int percent) override { volume = percent; }
  void SetFullscreen(bool on) override { fullscreen = on; }
  bool IsFullscreen() override { return fullscreen; }

  // Scripting. Events are delivered in order; `delay_ms` is virtual time
  // that passes before the event arrives.
  void Push(InputEvent event, int delay_ms = 0);
  void Click(int x, int y, int delay_ms = 0);  // mouse down + up
  void Move(int x, int y, int delay_ms = 0);
  void Key(KeyCode key, int delay_ms = 0);
  // Called when the script has run dry while the game waits; it may push
  // more events. Without it (or when it pushes nothing) the platform sends
  // Quit after `idle_quit_ms` of virtual time, so a test can never hang.
  std::function<void(HeadlessPlatform&)> on_idle;
  int idle_quit_ms = 600000;
  // A replay ends here: the clock never passes this time. The wait that
  // would pass it sets the clock to it and `stopped`; from then on every
  // wait returns at once with nothing, and the frame on screen is the one
  // the replay compares.
  uint64_t stop_at_ms = UINT64_MAX;
  bool stopped = false;

  uint64_t clock_ms = 0;
  std::string base_dir;
  std::string caption;
  const Bitmap* last_frame = nullptr;  // the scene last presented
  int frames_presented = 0;
  int volume = 100;  // 0-100, the last SetVolume
  bool fullscreen = false;

  // Optional stand-ins installed by tests; defaults are silent.
  std::unique_ptr<WaveOutDevice> wave_out;
  std::unique_ptr<MusicPlayer> music;

 private:
  struct Scripted {
    InputEvent event;
    int delay_ms;
  };
  std::deque<Scripted> script_;
  uint64_t idle_since_ = 0;
  bool idle_ = false;
  bool quit_sent_ = false;
};
