// The headless platform: no window, a virtual clock that moves only while the
// game waits, and input from a script.
#include "platform/headless/headless_platform.h"

#include <algorithm>
#include <utility>

#include "platform/music.h"
#include "platform/platform.h"
#include "sound/mixer/wave_out.h"

HeadlessPlatform::HeadlessPlatform(std::string dir) : base_dir(std::move(dir)) {
  if (!base_dir.empty() && base_dir.back() != '/') base_dir += '/';
}

HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::Push(InputEvent event, int delay_ms) {
  script_.push_back({event, delay_ms});
}

void HeadlessPlatform::Click(int x, int y, int delay_ms) {
  InputEvent down;
  down.kind = InputEvent::MouseDown;
  down.x = x;
  down.y = y;
  Push(down, delay_ms);
  InputEvent up = down;
  up.kind = InputEvent::MouseUp;
  Push(up, 0);
}

void HeadlessPlatform::Move(int x, int y, int delay_ms) {
  InputEvent move;
  move.kind = InputEvent::MouseMove;
  move.x = x;
  move.y = y;
  Push(move, delay_ms);
}

void HeadlessPlatform::Key(KeyCode key, int delay_ms) {
  InputEvent down;
  down.kind = InputEvent::KeyDown;
  down.key = key;
  Push(down, delay_ms);
  InputEvent up = down;
  up.kind = InputEvent::KeyUp;
  Push(up, 0);
}

bool HeadlessPlatform::WaitEvent(InputEvent& event, int timeout_ms) {
  if (stopped) return false;
  uint64_t left = stop_at_ms - clock_ms;
  if (static_cast<uint64_t>(std::max(timeout_ms, 0)) > left &&
      (script_.empty() || static_cast<uint64_t>(script_.front().delay_ms) > left)) {
    clock_ms = stop_at_ms;
    stopped = true;
    return false;
  }
  if (script_.empty() && on_idle && timeout_ms > 0) on_idle(*this);
  if (script_.empty()) {
    if (timeout_ms <= 0) return false;
    clock_ms += timeout_ms;
    if (!idle_) {
      idle_ = true;
      idle_since_ = clock_ms - timeout_ms;
    }
    if (!quit_sent_ && clock_ms - idle_since_ >= static_cast<uint64_t>(idle_quit_ms)) {
      // Nobody will ever click again: close the window like a player would,
      // once (a second close would end the program).
      quit_sent_ = true;
      idle_ = false;
      event = InputEvent{};
      event.kind = InputEvent::Quit;
      return true;
    }
    return false;
  }
  idle_ = false;
  Scripted& next = script_.front();
  if (next.delay_ms > timeout_ms) {
    clock_ms += timeout_ms;
    next.delay_ms -= timeout_ms;
    return false;
  }
  clock_ms += next.delay_ms;
  event = next.event;
  script_.pop_front();
  return true;
}

void HeadlessPlatform::Present(const Bitmap& scene) {
  last_frame = &scene;
  ++frames_presented;
}
