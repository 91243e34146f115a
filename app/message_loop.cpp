// The message loop, the 20 ms timer with its frame pacing, and click waits.
// A waiting game step keeps handling events and frames, and sleeps in the
// event wait until the next timer tick instead of spinning.
#include <algorithm>
#include <string>

#include "app/form.h"

namespace {
constexpr int kTimerMs = 20;
}

int TForm1::TimeToNextTick() {
  uint64_t now = platform.NowMs();
  // A tick before the next frame and the next readout would do nothing, so
  // the wait sleeps through it to the first tick that has work.
  uint64_t work = std::min(next_frame_time, next_readout_time);
  uint64_t due = timer1_due;
  if (work >= due) due += (work - due) / kTimerMs * kTimerMs + kTimerMs;
  return due > now ? static_cast<int>(due - now) : 0;
}

void TForm1::ProcessMessages(int timeout_ms) {
  InputEvent event;
  int wait = timeout_ms;
  while (platform.WaitEvent(event, wait)) {
    HandleEvent(event);
    wait = 0;
  }
  uint64_t now = platform.NowMs();
  if (now >= timer1_due) {
    timer1_due = now + kTimerMs;
    Timer1Timer();
  }
}

void TForm1::Run() {
  while (!closing) ProcessMessages(TimeToNextTick());
}

void TForm1::HandleEvent(const InputEvent& event) {
  if (closing && !dialog.open) {
    // The progress is saved: clicks and keys queued behind the close must not
    // start another step, and asking to close again ends the program at once.
    // Only a board the closing put up (its save failed) still answers.
    if (event.kind == InputEvent::Quit) EndProcessNow();
    if (event.kind != InputEvent::AudioDone && event.kind != InputEvent::MusicDone) return;
  }
  auto choice_at = [&](int x, int y) {
    if (!choices_visible || x < kChoiceLeft || x >= kChoiceLeft + kChoiceWidth) return 0;
    for (int n = 0; n < 3; ++n)
      if (y >= kChoiceTop[n] && y < kChoiceTop[n] + kChoiceHeight) return n + 1;
    return 0;
  };
  if (dialog.open) {
    // The dialog takes the mouse and the keys; a close answers it and
    // still closes the window.
    switch (event.kind) {
      case InputEvent::MouseDown:
      case InputEvent::MouseUp:
      case InputEvent::MouseMove:
      case InputEvent::KeyDown:
      case InputEvent::KeyUp:
        DialogInput(dialog, event);
        PresentScene();
        return;
      case InputEvent::Quit:
        dialog.answer = kDialogNo;
        if (closing) return;  // already closing: the answer lets it end
        break;
      default:
        break;
    }
  }
  switch (event.kind) {
    case InputEvent::MouseDown:
      if (item_box.visible) {
        ItemPanelMouseDown(event.x, event.y);
      } else if (int n = choice_at(event.x, event.y)) {
        selMouseDown(n);
      } else {
        cgMouseDown(event.x, event.y);
      }
      break;
    case InputEvent::MouseUp:
      if (item_box.visible) ItemPanelMouseUp(event.x, event.y);
      break;
    case InputEvent::MouseMove:
      if (item_box.visible) {
        // The panel lights the button under the mouse.
        mouse_x = event.x;
        mouse_y = event.y;
        break;
      }
      if (int n = choice_at(event.x, event.y)) {
        selMouseMove(n);
      } else {
        cgMouseMove(event.x, event.y);
      }
      break;
    case InputEvent::KeyDown:
      if (VolumeKey(event.key)) break;  // mute and volume work everywhere
      if (event.key == KeyCode::L && !event.repeat) {  // and so does the language
        ToggleLanguage();
        break;
      }
      if (item_box.visible) {
        ItemPanelKey(event.key, true);
      } else {
        FormKeyDown(event.key);
      }
      break;
    case InputEvent::KeyUp:
      if (item_box.visible) ItemPanelKey(event.key, false);
      break;
    case InputEvent::Quit:
      FormClose();
      break;
    case InputEvent::AudioDone:
      PumpSound();
      break;
    case InputEvent::MusicDone:
      mid_pNotify();
      break;
  }
}

void TForm1::Timer1Timer() {
  uint64_t now = platform.NowMs();
  if (now > next_frame_time) {
    next_frame_time = now + frame_interval_ms;
    FrameStep();
  }
  if (now > next_readout_time) {
    next_readout_time = now + 1000;
    platform.SetCaption("FLM:" + std::to_string(frames_this_second) + " 1F@" +
                        std::to_string(frame_interval_ms) + "ms.");
    if (frames_this_second <= 9) frame_interval_ms -= 5;
    if (frames_this_second >= 11) frame_interval_ms += 5;
    if (frame_interval_ms < 0) frame_interval_ms = 0;
    frames_this_second = 0;
  }
  // The item panel draws its money label from `money` itself. Pumping the
  // mixer here as well keeps a device that cannot notify (the silent one)
  // from running dry.
  PumpSound();
}

void TForm1::FrameStep() {
  frames_this_second += 1;
  frame_counter += 1;
  if (frame_counter > 999) frame_counter = 0;
  if (PastTitle(screen_phase)) {
    UpdateFrame();
    RenderFrame(cg, bak, lit);
    ClampState();
  }
  // On the title nothing is composed, but what was painted on cg is shown.
  PresentScene();
}

void TForm1::WaitForClick() {
  if (click_wait == ClickWait::Closing) return;
  click_wait = ClickWait::Waiting;
  while (click_wait == ClickWait::Waiting) ProcessMessages(TimeToNextTick());
}

void TForm1::AcknowledgeClick() {
  if (click_wait == ClickWait::Closing) return;  // closing: every wait stays skipped
  if (click_wait == ClickWait::Waiting) PlaySound(0, "3.wav");
  click_wait = ClickWait::Idle;
}

void TForm1::ClampState() {
  if (my.satisfaction > 100) my.satisfaction = 100;
  if (my.satisfaction < 0) my.satisfaction = 0;
  if (my.money < 0) my.money = 0;
  if (my.money > 999999999) my.money = 999999999;
  if (my.day < 0) my.day = 0;
  if (my.hours_to_closing < 0) my.hours_to_closing = 0;
  if (my.hours_to_closing > my.clerk_level + 8) my.hours_to_closing = my.clerk_level + 8;
}
