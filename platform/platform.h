// What the game needs of the machine: a clock, input events, a window that
// shows the 390 x 260 scene, the wave output device and the music player.
// Questions and errors are drawn by the game itself (app/dialog.h). Each kind
// lives in a folder of its own: desktop/ (the SDL window), web/ (the browser
// tab) and headless/ (no window, for replays and tests).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bitmap.h"
#include "platform/keys.h"

class WaveOutDevice;  // sound/mixer/wave_out.h
class MusicPlayer;    // platform/music.h

inline constexpr int kSceneWidth = 390;
inline constexpr int kSceneHeight = 260;

inline constexpr int kLeftButton = 1;

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
  int button = kLeftButton;  // 1 left, 2 middle, 3 right, as SDL and the page number them
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
  // output scales its final samples.
  virtual void SetVolume(int percent) = 0;
  // The window's mode, remembered between starts by the settings file.
  virtual void SetFullscreen(bool on) = 0;
  virtual bool IsFullscreen() = 0;
};
