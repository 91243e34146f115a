// Headless platform: no window, a virtual clock that only moves when the game
// waits, scripted input, and the last presented frame kept. Tests run the game
// on it, and the browser's replay page runs on its clock.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "platform/platform.h"

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

  // The devices the game plays into: silent ones unless the owner puts others
  // here (the golden runs and the sound tests bring their own, from tests/).
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
